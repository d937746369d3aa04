#!/usr/bin/env bash
# Starts the program itself, main() and all, on a Qt platform (offscreen
# unless named) until its window is shown, and checks that it then quits
# cleanly: status 0 and nothing written to standard error. A command after
# the platform runs the program (Wine, for the Windows build).
#     program_test.sh <program> [platform [command...]]
set -euo pipefail
program=$1 platform=${2:-offscreen}
runner=("${@:3}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/runtime"
status=0
if [[ $platform == offscreen ]]; then
    unset DISPLAY WAYLAND_DISPLAY
    export XDG_RUNTIME_DIR=$work/runtime
fi
QT_QPA_PLATFORM=$platform SISTEMA_STARTUP_PROBE=1 timeout 60 "${runner[@]}" "$program" >"$work/out" 2>"$work/err" || status=$?
if [[ $status != 0 ]]; then
    echo "$program: exit status $status"
    cat "$work/err"
    exit 1
fi
# (Windows ends the line with CR LF.)
[[ $(tr -d "\r" <"$work/out") == shown ]] || { echo "$program said: $(cat "$work/out")"; exit 1; }
# Lines the platform is known to cause (SISTEMA_PLATFORM_MESSAGES, a regular
# expression) are its own, not the program's.
if [[ -n ${SISTEMA_PLATFORM_MESSAGES:-} ]]; then
    grep -v -E "$SISTEMA_PLATFORM_MESSAGES" "$work/err" >"$work/own" || true
    mv "$work/own" "$work/err"
fi
[[ ! -s $work/err ]] || { echo "$program wrote to standard error:"; cat "$work/err"; exit 1; }
echo "$program: shown on $platform, then quit cleanly"
