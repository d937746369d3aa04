#!/usr/bin/env bash
# Starts the program itself, main() and all, on a Qt platform (offscreen
# unless named) until its window is shown, and checks that it then quits
# cleanly: status 0 and nothing written to standard error.
#     program_test.sh <program> [platform]
set -euo pipefail
program=$1 platform=${2:-offscreen}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/runtime"
status=0
if [[ $platform == offscreen ]]; then
    unset DISPLAY WAYLAND_DISPLAY
    export XDG_RUNTIME_DIR=$work/runtime
fi
QT_QPA_PLATFORM=$platform SISTEMA_STARTUP_PROBE=1 timeout 60 "$program" >"$work/out" 2>"$work/err" || status=$?
if [[ $status != 0 ]]; then
    echo "$program: exit status $status"
    cat "$work/err"
    exit 1
fi
[[ $(cat "$work/out") == shown ]] || { echo "$program said: $(cat "$work/out")"; exit 1; }
[[ ! -s $work/err ]] || { echo "$program wrote to standard error:"; cat "$work/err"; exit 1; }
echo "$program: shown on $platform, then quit cleanly"
