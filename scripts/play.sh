#!/usr/bin/env bash
# Sets everything up and starts the game.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh" play -DQUILLMERE_TESTS=OFF -DQUILLMERE_BENCH=OFF
exec "$root/build/src/quillmere"
