#!/usr/bin/env bash
# Builds the game and its tests with AddressSanitizer (leak checking
# included) and UndefinedBehaviorSanitizer into ./build-asan and runs the
# whole suite there; the first report of either fails its test. Run after
# scripts/test.sh, which installs what the build needs.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

# The build runs the data generator and lists the tests: sanitized already.
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:abort_on_error=0:exitcode=23"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"

jobs=$(nproc 2>/dev/null || echo 2)
# -O1: the sanitizers' slowdown on top of -O0 would stretch the suite.
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -g" -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" \
    -DQUILLMERE_SANITIZE=ON -DQUILLMERE_TESTS=ON -DQUILLMERE_BENCH=OFF
cmake --build build-asan -j"$jobs"

source "$root/scripts/display.sh"
if [ "${CI:-}" = "true" ] || [ -z "${DISPLAY:-}" ]; then
    start_private_display || true
fi
export LIBGL_ALWAYS_SOFTWARE=1
export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"

cd build-asan
# Tests that draw through a real OpenGL context: Mesa's driver keeps memory
# to the end and SDL unloads it at exit, so the leak checker sees leaks it can
# name no library of and no suppression can match. These run under the
# address and undefined-behaviour checks with leak checking off.
gl_tests='^(GameStart|RealInputTest|RealWindow|CursorDraw|GlDraw|Signals/StopSignal)\.'
# Label nosanitize: tests that cannot run under the sanitizers at all (none yet).
status=0
ctest --output-on-failure -j"$jobs" --timeout 1200 -LE nosanitize -E "$gl_tests" || status=1
ASAN_OPTIONS="$ASAN_OPTIONS:detect_leaks=0" \
    ctest --output-on-failure -j"$jobs" --timeout 1200 -LE nosanitize -R "$gl_tests" || status=1
exit $status
