#!/usr/bin/env bash
# Starts the program itself, main() and all, on the offscreen platform until
# its window is shown, and checks that it then quits cleanly: status 0 and
# nothing written to standard error.
#     program_test.sh <program>
set -euo pipefail
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/runtime"
status=0
env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work/runtime" SISTEMA_STARTUP_PROBE=1 \
    timeout 60 "$program" >"$work/out" 2>"$work/err" || status=$?
if [[ $status != 0 ]]; then
    echo "$program: exit status $status"
    cat "$work/err"
    exit 1
fi
[[ $(cat "$work/out") == shown ]] || { echo "$program said: $(cat "$work/out")"; exit 1; }
[[ ! -s $work/err ]] || { echo "$program wrote to standard error:"; cat "$work/err"; exit 1; }
echo "$program: shown, then quit cleanly"
