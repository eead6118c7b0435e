#!/usr/bin/env bash
# Takes docs/listgallery.png: runs listgallery.exe in a private Wine session with the mouse
# on the cell that has a tool tip, and crops the screen to the gallery's window.
#
#   tools/listgallery-shot.sh <build-dir>
set -eu
build_dir=$(cd "$1" && pwd)
cd "$(dirname "$0")/.."
mkdir -p docs

exec tools/wine-session.sh "$build_dir" bash -c '
    set -eu
    wine "$0/bin/listgallery.exe" /tip &
    gallery=$!
    window=$(timeout 30 xdotool search --sync --name "^List gallery$" | head -1)
    sleep 3
    eval "$(xdotool getwindowgeometry --shell "$window")"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage docs/listgallery.png
    kill "$gallery"
' "$build_dir"
