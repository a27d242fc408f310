#!/usr/bin/env bash
# Instructions a frame of the real game costs, as callgrind counts them over its first 300
# frames on SDL's dummy drivers: stepFrame (the frame's work and its draw calls) and endFrame
# (the present, where the software renderer carries the draw calls out, and the pacing). Counts,
# unlike times, repeat exactly from run to run whatever else the machine is doing.
#
# The dummy driver's only screen is 1024x768, to which the game would scale its scene in
# software; the frame probe keeps it from scaling, so the scene is drawn one to one (its right
# and bottom edges cut off), as on a screen of the game's own size. The counts are inclusive
# ones read from the whole run: toggling collection on the two functions misses whichever one
# the compiler has inlined.
#
#   tools/scripts/frame-instructions.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(realpath "${1:-$root/build}")
frames=300
out=$(mktemp /tmp/vorlusk-callgrind-XXXXXX)
trap 'rm -f "$out" "$out.txt"' EXIT

cd "$root/data"
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy VORLUSK_PROBE_UNSCALED=1 VORLUSK_PROBE_FLY=1 \
    VORLUSK_PROBE_QUIT_AFTER=$frames LD_PRELOAD="$build/vorlusk-frame-probe.so" \
    valgrind --tool=callgrind --callgrind-out-file="$out" "$build/vorlusk" >/dev/null 2>&1

# The annotated call of each, "=> ...:CGame::stepFrame() (300x)", carries its inclusive count
# and how often it was called.
callgrind_annotate --inclusive=yes --threshold=100 "$out" >"$out.txt"
perFrame() {
    grep -E "=> .*CGame::$1\([^)]*\) \([0-9]+x\)" "$out.txt" | head -n 1 |
        sed 's/^ *\([0-9,]*\) .*(\([0-9]*\)x).*/\1 \2/' | tr -d , | awk '{print int($1 / $2)}'
}
step=$(perFrame stepFrame)
end=$(perFrame endFrame)
# The loop's pass around them: the events, and what the shell adds to a frame.
pass=$(perFrame loopOnce)
echo "instructions a frame over the first $frames: stepFrame $step, endFrame $end," \
    "together $((step + end)); the rest of the loop's pass $((pass - step - end))"
