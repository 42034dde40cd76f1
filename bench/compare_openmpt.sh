#!/bin/sh
# Times the game's replayer against openmpt123 rendering the same module with
# linear interpolation, side by side in one run, on one core each.
#
#   bench/compare_openmpt.sh [BUILD_DIR] [MODULE.xm]
#
# Without a module, a 32-channel busy song of about five minutes is written
# with quillmere-xm. openmpt123 is installed from Debian when missing.
set -eu

build=${1:-build}
module=${2:-}
xmtool="$build/tools/xm/quillmere-xm"
runs=3

if [ ! -x "$xmtool" ]; then
    echo "compare_openmpt: $xmtool not found; build the quillmere-xm target first" >&2
    exit 1
fi
if [ ! -x /usr/bin/time ]; then
    echo "compare_openmpt: /usr/bin/time is needed (Debian package time)" >&2
    exit 1
fi
if ! command -v openmpt123 >/dev/null 2>&1; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get install -y openmpt123 >/dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ -z "$module" ]; then
    module="$work/busy32.xm"
    "$xmtool" busy "$module" --channels 32 --orders 64 >/dev/null
fi
cp "$module" "$work/song.xm"

# Processor seconds (user and system) of the best of several runs, pinned to
# one core when taskset is there: a busy machine stretches the wall clock,
# not the work.
pin=""
command -v taskset >/dev/null 2>&1 && pin="taskset -c 0"
best() {
    bestTime=""
    i=0
    while [ $i -lt $runs ]; do
        /usr/bin/time -f "%U %S" -o "$work/time" $pin "$@" >/dev/null 2>&1
        t=$(awk '{ print $1 + $2 }' "$work/time")
        if [ -z "$bestTime" ] || [ "$(echo "$t < $bestTime" | bc -l)" -eq 1 ]; then
            bestTime=$t
        fi
        i=$((i + 1))
    done
    echo "$bestTime"
}

ours=$(best $pin "$xmtool" render "$work/song.xm" "$work/ours.wav")
theirs=$(best $pin openmpt123 --render --filter 2 --samplerate 44100 --no-float --force -q \
    "$work/song.xm")

# Seconds of sound each wrote (16-bit stereo at 44100 Hz after a 44-byte header).
seconds() { echo "($(stat -c %s "$1") - 44) / 176400" | bc -l; }
oursSeconds=$(seconds "$work/ours.wav")
theirSeconds=$(seconds "$work/song.xm.wav")

printf 'module:      %s\n' "$module"
printf 'quillmere:   %6.3f s of processor time for %6.1f s of sound: %7.0f x real time\n' \
    "$ours" "$oursSeconds" "$(echo "$oursSeconds / $ours" | bc -l)"
printf 'openmpt123:  %6.3f s of processor time for %6.1f s of sound: %7.0f x real time\n' \
    "$theirs" "$theirSeconds" "$(echo "$theirSeconds / $theirs" | bc -l)"
printf 'quillmere is %.2f times as fast\n' \
    "$(echo "($oursSeconds / $ours) / ($theirSeconds / $theirs)" | bc -l)"
