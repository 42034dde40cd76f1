#!/usr/bin/env bash
# Sets everything up and runs the whole test suite. Tests that need a window
# run on the current display, or on a private Xvfb when there is none (always
# under CI); audio tests use SDL's dummy driver.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh" test -DQUILLMERE_TESTS=ON -DQUILLMERE_BENCH=ON

xvfb_pid=""
cleanup() { [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true; }
trap cleanup EXIT
if [ "${CI:-}" = "true" ] || [ -z "${DISPLAY:-}" ]; then
    for n in $(seq 91 120); do
        [ -e "/tmp/.X${n}-lock" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        xvfb_pid=$!
        for _ in $(seq 50); do
            [ -e "/tmp/.X11-unix/X$n" ] && break
            sleep 0.1
        done
        if kill -0 "$xvfb_pid" 2>/dev/null; then
            export DISPLAY=":$n"
            break
        fi
        xvfb_pid=""
    done
fi
export LIBGL_ALWAYS_SOFTWARE=1
export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"

cd "$root/build"
ctest --output-on-failure -j"$(nproc 2>/dev/null || echo 2)" --timeout 1200
