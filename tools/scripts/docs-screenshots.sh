#!/usr/bin/env bash
# Takes the screenshots under docs/ from the real game in a real X window (a private Xvfb of
# 1280x720), played by a script through xdotool: the waiting carpet, the arrival, the ship
# settled, play with thrust, a pause by P and one by the window losing focus, a crash and its
# wreck with the end-of-flight lines, flying again (Enter and the second arrival), and a flight
# flown to the end and launched away (retried until the script's pilot manages one). Then it
# lays the stages out as docs/stages.jpg and cuts 1:1 close-ups of the ship, the aliens, the jets
# and the weave into docs/closeups.png.
#
#   tools/scripts/docs-screenshots.sh [BUILD_DIR]
#   (a few minutes; needs xvfb, xdotool, imagemagick)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(realpath -m "${1:-$root/build}")
shots=$(mktemp -d /tmp/vorlusk-docs-XXXXXX)
echo "screenshots in $shots"

exec 3>"$shots/display"
Xvfb -displayfd 3 -screen 0 1280x720x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
game=
cleanup() {
    [ -z "$game" ] || kill "$game" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 50); do
    [ -s "$shots/display" ] && break
    sleep 0.1
done
export DISPLAY=:$(head -n 1 "$shots/display")

shoot() { import -window root "$shots/$1.png"; }
key() { xdotool key --window "$window" "$@"; }
# The end-of-flight band darkens the middle of the screen below the ship.
banded() {
    [ "$(convert "$1" -crop 200x30+540+500 -colorspace gray -format '%[fx:int(mean*100)]' info:)" \
        -lt 25 ]
}
ended() {
    import -window root "$shots/probe.png"
    banded "$shots/probe.png"
}
# The result line is wider after a launch-away than after a crash.
launchedAway() {
    [ "$(convert "$shots/probe.png" -crop 1280x40+0+470 -fuzz 20% -trim -format '%w' info:)" -gt 560 ]
}

start() {
    (cd "$root/data" && SDL_AUDIODRIVER=dummy exec "$build/vorlusk") &
    game=$!
    window=$(xdotool search --sync --name '^Vorlusk$' | head -n 1)
    xdotool windowfocus --sync "$window"
    # Past the start screen, once it has loaded.
    sleep 3
    xdotool key --window "$window" Return
}

# First flight: every stage up to a crash, with both pauses on the way.
start
sleep 1.0 && shoot 1-waiting
sleep 1.5 && shoot 2-arrival
sleep 1.0 && shoot 3-settled
sleep 2.0
xdotool keydown --window "$window" Right Up
sleep 1.0 && shoot 4-flying
xdotool keyup --window "$window" Right Up
key p && sleep 0.5 && shoot 5-paused
key p && sleep 1.0
display -geometry 200x100+20+600 "$root/data/icons/vorlusk-64.png" &
other=$!
sleep 1.0
xdotool windowfocus "$(xdotool search --sync --name "vorlusk-64" | head -n 1)"
sleep 0.5 && shoot 6-paused-focus
kill "$other"
xdotool windowfocus --sync "$window"
# Back in the window the pause waits for the player.
key p && sleep 0.5
# Left alone, the ship gathers frozen jets until all eight are frozen at once.
n=0
while ! ended; do
    n=$((n + 1))
    shoot "crash-$n"
    sleep 0.3
done
shoot 8-crashed
# The crash lasts about three seconds, a few shots' time: one from the middle of it.
cp "$shots/crash-$((n > 2 ? n - 2 : 1)).png" "$shots/7-crashing.png"
key Return
sleep 2.5 && shoot 9-second-arrival

# Then flights to the end: the pilot thrusts each way in turn, thawing what is frozen, until the
# clock runs out with every jet clear and the ship launches away.
for attempt in 1 2 3 4 5 6; do
    n=0
    while ! ended; do
        for arrow in Right Down Left Up; do
            xdotool keydown --window "$window" "$arrow"
            for _ in 1 2 3 4; do
                n=$((n + 1))
                shoot "launch-$n"
                sleep 0.3
            done
            xdotool keyup --window "$window" "$arrow"
            ended && break
        done
    done
    if launchedAway; then
        shoot 11-launched-away
        # The launch-away lasts under two seconds: of the last shots before the lines came, the
        # one with the most of the booster's flame in the ship's lane.
        best=0
        for back in $(seq 0 10); do
            [ $n -gt $back ] || break
            shot=$shots/launch-$((n - back)).png
            banded "$shot" && continue
            flame=$(convert "$shot" -crop 1280x80+0+320 +repage \
                -fx '(r>0.85&&g>0.35&&g<0.8&&b<0.45)?1:0' -format '%[fx:int(mean*100000)]' info:)
            if [ "$flame" -gt "$best" ]; then
                best=$flame
                cp "$shot" "$shots/10-launch-away.png"
            fi
        done
        break
    fi
    echo "flight $attempt crashed; flying again"
    key Return
    sleep 1
done
key Escape
wait "$game" || true
game=

docs=$root/docs
labels=(waiting arrival settled flying "paused (P)" "paused (focus lost)" crashing
        "crashed: the end-of-flight lines" "flying again: the second arrival" launch-away
        "launched away")
files=()
i=0
for shot in 1-waiting 2-arrival 3-settled 4-flying 5-paused 6-paused-focus 7-crashing 8-crashed \
            9-second-arrival 10-launch-away 11-launched-away; do
    [ -f "$shots/$shot.png" ] || { i=$((i + 1)); continue; }
    convert "$shots/$shot.png" -resize 640x360 -gravity south -background '#202020' \
        -splice 0x28 -fill white -font "$root/data/BAUHS93.ttf" -pointsize 20 -annotate +0+4 "${labels[$i]}" "$shots/small-$shot.png"
    files+=("$shots/small-$shot.png")
    i=$((i + 1))
done
montage "${files[@]}" -tile 3x -geometry +6+6 -background '#202020' -quality 88 "$docs/stages.jpg"
cp "$shots/4-flying.png" "$shots/screenshot.png"
convert "$shots/screenshot.png" -quality 90 "$docs/screenshot.jpg"

# 1:1 close-ups: the ship settled, its jets burning (from the thrusting shot), the crash, a patch
# of the carpet's weave, and the strips the aliens patrol.
convert "$shots/4-flying.png" -crop 160x160+560+280 +repage "$shots/c-jets.png"
convert "$shots/3-settled.png" -crop 160x160+560+280 +repage "$shots/c-ship.png"
convert "$shots/1-waiting.png" -crop 160x160+900+500 +repage "$shots/c-weave.png"
convert "$shots/7-crashing.png" -crop 160x160+560+280 +repage "$shots/c-crash.png"
montage "$shots/c-ship.png" "$shots/c-jets.png" "$shots/c-crash.png" "$shots/c-weave.png" \
    -tile 4x -geometry +6+6 -background '#202020' "$shots/c-row.png"
# The aliens patrol the top and bottom edges: those strips, whole.
convert "$shots/4-flying.png" -crop 1280x100+0+0 +repage "$shots/c-top.png"
convert "$shots/4-flying.png" -crop 1280x100+0+620 +repage "$shots/c-bottom.png"
convert "$shots/c-row.png" "$shots/c-top.png" "$shots/c-bottom.png" -background '#202020' \
    -gravity west -append +repage "$docs/closeups.png"
echo "written: docs/stages.jpg, docs/screenshot.jpg, docs/closeups.png"
