#!/usr/bin/env bash
# The real game under valgrind's memcheck for 300 frames, then its own ordinary quit: the frame
# probe pushes the quit event, so nothing in the game is changed or stopped from outside.
# Fails on any invalid read or write, any use of an uninitialised value, and any block the game
# loses for good; what it keeps to the end on purpose (the renderer and the sprites' textures)
# is reported as still reachable or possibly lost, or is named in tools/sanitize/memcheck.supp.
#
#   tools/scripts/memcheck.sh [BUILD_DIR] [JOBS]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(realpath -m "${1:-build}")
jobs=${2:-2}
frames=300

cd "$root"
[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$jobs" --target vorlusk vorlusk-frame-probe

log="$build/memcheck.log"
presents="$build/memcheck-presents.txt"
rm -f "$log" "$presents"

# valgrind hands LD_PRELOAD on to the game, after its own preloads.
cd data
status=0
# The dummy driver's screen is 1024x768; scaling the scene to it in software under valgrind would
# take most of the run, so the probe keeps the scene unscaled.
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy VORLUSK_PROBE_UNSCALED=1 VORLUSK_PROBE_FLY=1 \
    VORLUSK_PROBE_QUIT_AFTER=$frames VORLUSK_PROBE_LOG="$presents" \
    timeout 900 env LD_PRELOAD="$build/vorlusk-frame-probe.so" valgrind --tool=memcheck --error-exitcode=99 --trace-children=no \
    --leak-check=full --show-leak-kinds=definite --errors-for-leak-kinds=definite \
    --track-origins=yes --num-callers=40 --gen-suppressions=all --show-error-list=yes \
    --suppressions="$root/tools/sanitize/memcheck.supp" --log-file="$log" \
    "$build/vorlusk" || status=$?

# Totals from valgrind's closing summaries; a figure it leaves out is zero.
figure() {
    local value
    value=$(sed -n "s/^==[0-9]*== *$1 \([0-9,]*\) bytes.*/\1/p" "$log" | tail -n 1 | tr -d ,)
    echo "${value:-0}"
}
errors=$(sed -n 's/.*ERROR SUMMARY: \([0-9,]*\) errors.*/\1/p' "$log" | tail -n 1 | tr -d ,)
shown=$(wc -l <"$presents" 2>/dev/null || echo 0)
echo "memcheck: ${errors:-?} errors, $(figure 'definitely lost:') bytes definitely lost," \
    "$(figure 'indirectly lost:') indirectly lost, $(figure 'possibly lost:') possibly lost," \
    "$(figure 'still reachable:') still reachable, $(figure 'suppressed:') suppressed;" \
    "$shown frames presented, exit status $status (log: $log)"

if [ "$status" -ne 0 ] || [ "${errors:-1}" -ne 0 ]; then
    echo "memcheck failed: the report is in $log" >&2
    grep -E '^==[0-9]+== (Invalid|Conditional|Use of|Syscall|Mismatched|[0-9,]+ bytes in)' "$log" |
        head -n 20 >&2 || true
    exit 1
fi
# The probe quits after the 300th present and the game steps and presents one frame more.
if [ "$shown" -lt "$frames" ] || [ "$shown" -gt $((frames + 2)) ]; then
    echo "memcheck failed: the game presented $shown frames, not the $((frames + 1)) it should" >&2
    exit 1
fi
