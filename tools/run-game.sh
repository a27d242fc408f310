#!/usr/bin/env bash
# Starts the game from data/, where it finds its assets, after checking the two things it cannot
# do without and would otherwise only report as a bare exit status.
set -uo pipefail
game=$(realpath "$1")
probe=$(realpath "$2")
cd "$(dirname "$0")/../data"

if [ -z "${SDL_VIDEODRIVER:-}" ] && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Vorlusk needs a display: run it on a desktop session (no DISPLAY or WAYLAND_DISPLAY is set)." >&2
    exit 1
fi

if [ -z "${SDL_AUDIODRIVER:-}" ] && ! "$probe" 2>/dev/null; then
    echo "No sound device could be opened: Vorlusk runs silent (SDL_AUDIODRIVER=dummy)."
    export SDL_AUDIODRIVER=dummy
fi

exec "$game"
