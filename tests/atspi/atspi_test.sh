#!/usr/bin/env bash
# Runs the program as a screen-reader user has it: an X server, a private
# D-Bus session with the AT-SPI registry, and Qt's real accessibility bridge.
# atspi_client.py then checks, from outside the process, what an assistive
# tool meets.
#     atspi_test.sh <program>
set -euo pipefail
program=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work XDG_RUNTIME_DIR=$work/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
bash "$here/../with_display.sh" dbus-run-session -- /usr/bin/python3 "$here/atspi_client.py" "$program"
