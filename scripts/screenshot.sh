#!/usr/bin/env bash
# Takes docs/screenshot.png: the built program in a real X server (Xvfb) with
# a window manager (openbox), after a click on "Въведи". For maintainers;
# needs xvfb, openbox, xdotool, x11-utils, x11-apps and imagemagick.
set -euo pipefail
cd "$(dirname "$0")/.."
program=${1:-build/release/app/sistema}
display=:57

Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
export DISPLAY=$display
sleep 1
openbox &
sleep 1
"$program" &
sleep 2

window=$(xdotool search --sync --name "Математика - линейна система" | head -1)
# The solve button's centre, in the window's own pixels.
xdotool mousemove --window "$window" 344 52 click 1
sleep 1

X=$(xwininfo -id "$window" | awk '/Absolute upper-left X/ { print $NF }')
Y=$(xwininfo -id "$window" | awk '/Absolute upper-left Y/ { print $NF }')
WIDTH=$(xwininfo -id "$window" | awk '/Width:/ { print $NF }')
HEIGHT=$(xwininfo -id "$window" | awk '/Height:/ { print $NF }')
read -r left right top bottom < <(xprop -id "$window" _NET_FRAME_EXTENTS | tr -d ',' | awk '{ print $3, $4, $5, $6 }')
xwd -root -silent | convert xwd:- \
    -crop "$((WIDTH + left + right))x$((HEIGHT + top + bottom))+$((X - left))+$((Y - top))" +repage \
    docs/screenshot.png
echo "docs/screenshot.png"
