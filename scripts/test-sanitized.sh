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
# SDL unloads the OpenGL driver at exit, and the leak checker cannot name a
# library that is gone, so no suppression would match the driver's leaks.
# Preloaded, the driver stays to the end (the ASan runtime need not come
# first for that) and every test keeps its leak checks.
libs="/usr/lib/$(gcc -print-multiarch 2>/dev/null || echo x86_64-linux-gnu)"
gl_driver=""
for lib in "$libs/libGLX_mesa.so.0" "$libs/dri/swrast_dri.so"; do
    [ -e "$lib" ] && gl_driver="$gl_driver${gl_driver:+:}$lib"
done
export ASAN_OPTIONS="$ASAN_OPTIONS:verify_asan_link_order=0"
# Label nosanitize: tests that cannot run under the sanitizers (none yet).
LD_PRELOAD="$gl_driver" ctest --output-on-failure -j"$jobs" --timeout 1200 -LE nosanitize
