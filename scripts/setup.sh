#!/usr/bin/env bash
# setup.sh play|test [CMAKE OPTIONS...]: installs the Debian packages that
# are missing (for "play" only what building and playing need; for "test"
# the test tools and test data too), then configures and builds into ./build.
set -euo pipefail
cd "$(dirname "$0")/.."

mode="${1:-}"
case "$mode" in
play | test) shift ;;
*)
    echo "usage: scripts/setup.sh play|test [CMAKE OPTIONS...]" >&2
    exit 2
    ;;
esac

packages=(
    build-essential cmake pkg-config
    libsdl2-dev libgl1-mesa-dev libglu1-mesa-dev libgl1-mesa-dri
    libpng-dev libjpeg62-turbo-dev zlib1g-dev
    # The data generator draws the game's pictures at build time.
    libcairo2-dev libfreetype-dev fonts-dejavu-core
)
if [ "$mode" = test ]; then
    packages+=(
        libgtest-dev libgmock-dev libbenchmark-dev libx11-dev
        xvfb xauth xdotool
        # Checkers of the desktop entry, the metainfo and the manual page.
        desktop-file-utils appstream groff-base
        # Music modules of other games, to replay real files.
        bomberclone-data njam-data
    )
fi
missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
cmake --build build -j"$jobs"
