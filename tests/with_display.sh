#!/usr/bin/env bash
# Runs a command on an X server of its own (Xvfb). The server picks a free
# display number itself, so that tests running side by side never share one;
# it does not reset when its last client leaves, which would refuse the next.
#     with_display.sh <command> [arguments...]
set -euo pipefail
work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/log" &
server=$!
trap 'kill $server 2>/dev/null; wait $server 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 200); do
    [[ -s $work/display ]] && break
    kill -0 $server 2>/dev/null || { cat "$work/log" >&2; exit 1; }
    sleep 0.05
done
export DISPLAY=:$(cat "$work/display")
unset XAUTHORITY
"$@"
