#!/usr/bin/env bash
# Makes docs/partita.png, the README's picture of a game in progress: the real program from build/,
# under a private Xvfb display with openbox, opens a saved game of 48 pieces of a drawn landscape
# (some in place, the picture faint in the empty cells, the rest gathered below the grid), and a shot
# of its window is reduced to 800 pixels wide. Needs Xvfb, openbox, xdotool and ImageMagick (./dev.sh test installs them).
# Usage: tools/make-readme-picture.sh [display number, default 77]
set -euo pipefail
cd "$(dirname "$0")/.."

display=":${1:-77}"
work=$(mktemp -d)
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; rm -rf "$work"' EXIT

cmake --build build -j"$(nproc)" --target tarsio >/dev/null

# The picture: a sky, a sun, hills and a lake, drawn by ImageMagick.
convert -size 960x640 gradient:'#3d7cc9'-'#f3d9a4' \
  -fill '#ffd54a' -draw 'circle 700,170 700,110' \
  -fill '#6c8f3a' -draw 'polygon 0,400 160,300 330,380 520,280 720,370 960,300 960,640 0,640' \
  -fill '#3f6b2a' -draw 'polygon 0,470 220,390 430,470 640,400 960,480 960,640 0,640' \
  -fill '#2f6fa8' -draw 'ellipse 480,560 330,60 0,360' \
  -fill '#8a5a2b' -draw 'rectangle 150,420 170,500' -fill '#2e5d1f' -draw 'circle 160,410 160,370' \
  -fill '#8a5a2b' -draw 'rectangle 800,430 818,505' -fill '#2e5d1f' -draw 'circle 809,420 809,385' \
  "$work/paesaggio.png"

# The saved game: 6 rows x 8 columns, "... più Ruotare"; the top two rows and every fifth piece in
# place, each other piece turned i mod 4 quarter turns; piece i was dealt to cell 7 i mod 48.
{
  printf '"%s"\r\n"6","8",2\r\n' "$work/paesaggio.png"
  for i in $(seq 0 47); do
    if [ "$i" -lt 16 ] || [ $((i % 5)) -eq 0 ]; then printf '#TRUE#,0,%d\r\n' $((7 * i % 48))
    else printf '#FALSE#,%d,%d\r\n' $((i % 4)) $((7 * i % 48)); fi
  done
} >"$work/paesaggio.png.trs"

Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
sleep 1
DISPLAY=$display openbox >/dev/null 2>&1 &
pids+=($!)
# The picture shows faintly in the empty cells.
mkdir -p "$work/config/tarsio" "$work/state"
printf '[General]\nimmagine_sotto_griglia=true\n' >"$work/config/tarsio/tarsio.conf"
DISPLAY=$display XDG_CONFIG_HOME="$work/config" XDG_STATE_HOME="$work/state" \
  build/tarsio "$work/paesaggio.png.trs" >/dev/null 2>&1 &
pids+=($!)
window=$(DISPLAY=$display timeout 30 xdotool search --sync --onlyvisible --name 'Tarsio mania')
# The splash hands over after four seconds; the game is then opened and its pieces gathered.
sleep 3
mkdir -p docs
DISPLAY=$display import -window "$window" "$work/shot.png"
convert "$work/shot.png" -resize 800x -strip -define png:compression-level=9 docs/partita.png
echo "docs/partita.png"
