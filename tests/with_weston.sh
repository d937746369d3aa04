#!/usr/bin/env bash
# Runs a command as a client of a Wayland compositor of its own: weston, on a
# private socket, with Qt's native Wayland platform.
#     with_weston.sh [--scale=N] <command> [arguments...]
# Weston runs on its X11 backend inside an X server of its own, which gives
# it a seat, a keyboard and a pointer. Its headless backend has none, and
# there Qt 6.4's Wayland text input crashes as soon as a key reaches a text
# box: a compositor no desktop user has.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [[ -z ${DISPLAY:-} || -z ${SISTEMA_WESTON_X:-} ]]; then
    exec bash "$here/with_display.sh" env SISTEMA_WESTON_X=1 bash "$0" "$@"
fi
scale=1
if [[ ${1:-} == --scale=* ]]; then
    scale=${1#--scale=}
    shift
fi
work=$(mktemp -d)
export XDG_RUNTIME_DIR=$work
chmod 700 "$work"
socket=sistema-test
weston --backend=x11-backend.so --use-pixman --no-config --socket=$socket --idle-time=0 \
    --width=$((1024 * scale)) --height=$((768 * scale)) --scale="$scale" >"$work/weston.log" 2>&1 &
compositor=$!
trap 'kill $compositor 2>/dev/null; wait $compositor 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 200); do
    [[ -S $work/$socket ]] && break
    kill -0 $compositor 2>/dev/null || { cat "$work/weston.log" >&2; exit 1; }
    sleep 0.05
done
export WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland
env -u DISPLAY "$@"
