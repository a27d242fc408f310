#!/usr/bin/env bash
# The HUD font is the one asset not drawn here: a free-licensed face from Debian's fonts-comfortaa,
# stored under the file name the game opens, with its licence beside it.
set -euo pipefail
data=$1
cp /usr/share/fonts/truetype/comfortaa/Comfortaa-Bold.ttf "$data/BAUHS93.ttf"
zcat /usr/share/doc/fonts-comfortaa/OFL.txt.gz > "$data/BAUHS93-OFL.txt"
