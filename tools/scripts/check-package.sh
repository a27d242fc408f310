#!/usr/bin/env bash
# Checks the .deb that `make package` made as a player would meet it: its layout, its desktop
# entry and AppStream data, its dependencies, lintian's errors and warnings; then installs it,
# starts the installed launcher from / on a private Xvfb for a few seconds, asks it to quit as a
# session would (SIGTERM, which SDL turns into a quit event), and removes the package again.
#
#   tools/scripts/check-package.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(realpath -m "${1:-$root/build}")
started=$(date +%s)

fail() {
    echo "check-package: $*" >&2
    exit 1
}

deb=$(ls -t "$build"/vorlusk_*.deb 2>/dev/null | head -n 1 || true)
[ -n "$deb" ] || fail "no vorlusk_*.deb in $build: run \`make package\` first"
"$root/tools/scripts/install-packages.sh" desktop-file-utils appstream xvfb lintian

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
scratch=$(mktemp -d)
xvfb=
installed=
cleanup() {
    [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
    [ -z "$installed" ] || "${sudo[@]}" dpkg --purge vorlusk >/dev/null 2>&1 || true
    rm -rf "$scratch"
}
trap cleanup EXIT

# What the package holds, read before it goes anywhere near the system.
dpkg-deb -x "$deb" "$scratch/tree"
tree=$scratch/tree/usr
for path in games/vorlusk lib/games/vorlusk/vorlusk lib/games/vorlusk/vorlusk-audio-probe; do
    [ -x "$tree/$path" ] || fail "/usr/$path is missing or not executable"
done
for path in share/games/vorlusk/BAUHS93.ttf share/games/vorlusk/Sprite_Sheet/BG_Carpet.jpg \
    share/games/vorlusk/Audio/"Thrust Alarm.wav" share/games/vorlusk/icons/vorlusk-64.png \
    share/doc/vorlusk/{copyright,changelog.Debian.gz} share/man/man6/vorlusk.6.gz \
    share/icons/hicolor/{48x48,64x64,128x128,256x256}/apps/vorlusk.png; do
    [ -f "$tree/$path" ] || fail "/usr/$path is missing"
done
# The icons belong to the desktop, but for the window's own, and the licences to the package's
# documents.
for path in icons/vorlusk-{48,128,256}.png LICENSE.md BAUHS93-OFL.txt; do
    [ ! -e "$tree/share/games/vorlusk/$path" ] || fail "/usr/share/games/vorlusk/$path is installed"
done
for license in Zlib OFL-1.1; do
    grep -qx "License: $license" "$tree/share/doc/vorlusk/copyright" ||
        fail "the copyright file lacks the $license licence"
done
desktop-file-validate "$tree/share/applications/vorlusk.desktop" ||
    fail "the desktop entry does not validate"
appstreamcli validate --no-net "$tree"/share/metainfo/*.metainfo.xml >"$scratch/appstream.txt" ||
    { cat "$scratch/appstream.txt" >&2; fail "the AppStream metainfo does not validate"; }
# Errors and warnings only; lintian's informational tags are for Debian's own archive.
status=0
lintian "$deb" >"$scratch/lintian.txt" 2>&1 || status=$?
[ "$status" -le 1 ] || { cat "$scratch/lintian.txt" >&2; fail "lintian did not run"; }
if grep -qE '^[EW]: ' "$scratch/lintian.txt"; then
    grep -E '^[EW]: ' "$scratch/lintian.txt" >&2
    fail "lintian reports errors or warnings"
fi
depends=$(dpkg-deb -f "$deb" Depends)
for library in libsdl2-2.0-0 libsdl2-image-2.0-0 libsdl2-mixer-2.0-0 libsdl2-ttf-2.0-0; do
    [[ $depends == *"$library"* ]] || fail "Depends does not name $library: $depends"
done

# apt resolves the dependencies from the archive where they are missing.
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --reinstall \
    --no-install-recommends "$deb" >/dev/null
installed=1
[ -x /usr/games/vorlusk ] || fail "installing left no /usr/games/vorlusk"

# Some menus start games with nothing but /usr/games on the PATH; a driver named in the
# environment that does not work is named back in one line rather than a bare exit status.
status=0
env PATH=/usr/games SDL_VIDEODRIVER=vorlusk-none vorlusk >"$scratch/driver.log" 2>&1 || status=$?
expected="vorlusk: the video driver 'vorlusk-none' named by SDL_VIDEODRIVER does not work"
if [ "$status" -ne 1 ] || [ "$(cat "$scratch/driver.log")" != "$expected" ]; then
    head -c 2000 "$scratch/driver.log" >&2
    fail "an unusable SDL_VIDEODRIVER gave status $status (1 expected) and not the one line"
fi

# Xvfb picks a free display and writes its number once it accepts clients.
Xvfb -displayfd 3 -screen 0 1280x720x24 -nolisten tcp 3>"$scratch/display" 2>"$scratch/xvfb.log" &
xvfb=$!
for _ in $(seq 50); do
    [ -s "$scratch/display" ] && break
    sleep 0.1
done
[ -s "$scratch/display" ] || fail "Xvfb did not start: $(cat "$scratch/xvfb.log")"

# From /, so nothing but the launcher can lead the game to its data.
cd /
DISPLAY=":$(cat "$scratch/display")" SDL_AUDIODRIVER=dummy /usr/games/vorlusk \
    >"$scratch/game.log" 2>&1 &
game=$!
sleep 3
kill -0 "$game" 2>/dev/null || {
    head -c 2000 "$scratch/game.log" >&2
    fail "the installed game ended within 3 s"
}
kill -TERM "$game"
status=0
wait "$game" || status=$?
# The game goes on without any asset it cannot load, saying so; from the right folder it says
# nothing of the kind.
if [ "$status" -ne 0 ] || grep -qiE "couldn't|bad load|could not|error" "$scratch/game.log"; then
    head -c 2000 "$scratch/game.log" >&2
    fail "the installed game exited with status $status (0 expected) or could not load its assets"
fi

"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq vorlusk >/dev/null
installed=
if [ -e /usr/games/vorlusk ] || [ -e /usr/share/games/vorlusk ]; then
    fail "removing the package left files behind"
fi

echo "check-package: $(basename "$deb") installs, runs from / on Xvfb, exits 0 on SIGTERM and" \
    "removes cleanly ($(($(date +%s) - started)) s)"
