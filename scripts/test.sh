#!/usr/bin/env bash
# Sets everything up and runs the whole test suite. Tests that need a window
# run on the current display, or on a private Xvfb when there is none (always
# under CI); audio tests use SDL's dummy driver.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh" test -DQUILLMERE_TESTS=ON -DQUILLMERE_BENCH=ON

source "$root/scripts/display.sh"
if [ "${CI:-}" = "true" ] || [ -z "${DISPLAY:-}" ]; then
    start_private_display || true
fi
export LIBGL_ALWAYS_SOFTWARE=1
export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"

cd "$root/build"
ctest --output-on-failure -j"$(nproc 2>/dev/null || echo 2)" --timeout 1200
