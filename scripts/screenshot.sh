#!/usr/bin/env bash
# Takes docs/screenshot.png: the built program in a real X server (Xvfb) with
# a window manager (openbox), after a click on "Въведи". With --windows,
# docs/screenshot-windows.png: the Windows program under Wine, in a Wine
# desktop (which draws the frame), in Qt's style for the Windows that Wine
# says it is, or the one named (windows11, windowsvista). For maintainers;
# needs xvfb, openbox, xdotool, x11-utils, x11-apps and imagemagick, and
# for Windows wine and a Windows build (scripts/windows.sh).
#     screenshot.sh [program]
#     screenshot.sh --windows [sistema.exe [style]]
set -euo pipefail
cd "$(dirname "$0")/.."
display=:57

Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
export DISPLAY=$display
sleep 1

if [[ ${1:-} == --windows ]]; then
    program=$(realpath "${2:-build/windows/app/desktop/sistema.exe}")
    style=${3:-}
    WINEPREFIX=$(mktemp -d)
    export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    trap 'wineserver -k 2>/dev/null; kill $xvfb 2>/dev/null; rm -rf "$WINEPREFIX"' EXIT
    wineboot --init
    wine explorer /desktop=sistema,1024x768 "$program" ${style:+-style "$style"} &
    sleep 6
    # The client area is centred on the desktop: "Въведи" at (344, 52) in it.
    left=$(((1024 - 461) / 2)) top=$(((768 - 275) / 2))
    xdotool mousemove $((left + 344)) $((top + 52)) click 1
    sleep 1
    # The window, frame and all, is what is not the desktop's one colour.
    xwd -root -silent | convert xwd:- -trim +repage PNG8:docs/screenshot-windows.png
    echo "docs/screenshot-windows.png"
    exit 0
fi

program=${1:-build/release/app/desktop/sistema}
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
