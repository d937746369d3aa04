#!/usr/bin/env bash
# Orca reading the site in Firefox, as a blind user has it: an X server with
# a window manager, a private D-Bus session with the AT-SPI registry, Orca in
# debug mode (no audio needed), Firefox on the site. orca_test.py presses
# the keys and reads what Orca said.
#     orca_test.sh <site folder>
set -euo pipefail
site=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
[[ -n ${SISTEMA_KEEP_LOGS:-} ]] || trap 'rm -rf "$work"' EXIT
export HOME=$work/home XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME/.local/share/orca" "$work/logs"
mkdir -m 700 "$XDG_RUNTIME_DIR"
# Orca buffers its debug file; a line at a time keeps all of it.
printf 'import orca.debug as debug\nif debug.debugFile:\n    debug.debugFile.reconfigure(line_buffering=True)\n' \
    >"$HOME/.local/share/orca/orca-customizations.py"
unset WAYLAND_DISPLAY
status=0
bash "$here/../with_display.sh" dbus-run-session -- bash -c '
    openbox >/dev/null 2>&1 &
    /usr/bin/python3 "$1/orca_test.py" "$2" "$3"
' bash "$here" "$site" "$work/logs" || status=$?
if ((status != 0)); then
    echo "What Orca said:"
    grep -a "SPEECH OUTPUT" "$work/logs/orca.log" | sed -E "s/^.*SPEECH OUTPUT: '(.*)' ?\{.*$/\1/" | tail -n 60
fi
exit $status
