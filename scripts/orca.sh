#!/usr/bin/env bash
# What the Orca screen reader says while a user works the window: Orca runs
# in debug mode (no audio needed) on an X server with a window manager, the
# program starts, and the keyboard does what a blind user would do:
#   Tab to "Въведи", Space (solve 6 and 16), Tab to "Чисти", Space (clear),
#   Shift+Tab back to box a, type 6, Tab, type 16, Tab to "Въведи", Enter,
#   Tab to "Чисти", Enter, Shift+Tab back to box a, type 1, Tab, type -1,
#   Tab to "Въведи", Space.
# Prints Orca's speech for each run. Not part of the tests.
#     bash scripts/orca.sh [runs] [program]
# With more than one run it also watches for the program ending by itself:
# core dumps are on, and a run whose program died is reported with its core.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

if [[ ${1:-} == --scenario ]]; then
    # One run, inside its own X server and D-Bus session.
    program=$2 log=$3
    ulimit -c unlimited
    openbox >/dev/null 2>&1 &
    # --replace: an Orca of an earlier run may still be on its way out.
    orca --replace --debug-file="$log/orca.log" >"$log/orca.out" 2>&1 &
    orca=$!
    sleep 4 # Orca announces itself and enables accessibility first
    (cd "$log" && QT_QPA_PLATFORM=xcb exec "$program" >"$log/program.out" 2>&1) &
    app=$!
    xdotool search --sync --name "линейна система" >/dev/null
    sleep 1.5
    keys() { for key in "$@"; do xdotool key "$key"; sleep 0.6; done; }
    keys Tab Tab Tab space
    sleep 1.5
    keys Tab space
    sleep 1.5
    solve() { # a in box a, b in box b, focus on "Чисти"; then the key
        keys shift+Tab shift+Tab shift+Tab
        xdotool type --delay 120 -- "$1"
        keys Tab
        xdotool type --delay 120 -- "$2"
        keys Tab "$3"
        sleep 1.5
    }
    solve 6 16 Return
    keys Tab Return
    sleep 1.5
    solve 1 -1 space
    sleep 0.5
    if kill -0 $app 2>/dev/null; then
        kill $app
        wait $app 2>/dev/null || true
        echo "exit: closed" >"$log/program.status"
    else
        wait $app && status=0 || status=$?
        echo "exit: ended by itself, status $status" >"$log/program.status"
    fi
    kill $orca 2>/dev/null || true
    timeout 10 tail --pid=$orca -f /dev/null || kill -9 $orca 2>/dev/null || true
    exit 0
fi

runs=${1:-1}
program=$(realpath "${2:-build/release/app/desktop/sistema}")
source scripts/packages.sh
bash scripts/install-packages.sh "${build_packages[@]}" "${run_packages[@]}" orca openbox xvfb xdotool dbus at-spi2-core
if [[ ! -x $program ]]; then
    cmake --preset release >/dev/null
    cmake --build build/release -j "$(nproc)"
fi

out=$(mktemp -d /tmp/sistema-orca.XXXXXX)
deaths=0
for run in $(seq "$runs"); do
    log=$out/run-$run
    mkdir -p "$log/home/.local/share/orca" "$log/runtime"
    chmod 700 "$log/runtime"
    # Orca buffers its debug file; a line at a time keeps all of it.
    printf 'import orca.debug as debug\nif debug.debugFile:\n    debug.debugFile.reconfigure(line_buffering=True)\n' \
        >"$log/home/.local/share/orca/orca-customizations.py"
    HOME=$log/home XDG_RUNTIME_DIR=$log/runtime \
        bash tests/with_display.sh dbus-run-session -- bash "$root/scripts/orca.sh" --scenario "$program" "$log" \
        >/dev/null 2>&1 || true
    status=$(cat "$log/program.status" 2>/dev/null || echo "exit: unknown")
    grep -aq "SPEECH OUTPUT: 'notification" "$log/orca.log" || echo "run $run: Orca announced nothing (see $log/orca.out)"
    if [[ $status != "exit: closed" ]]; then
        deaths=$((deaths + 1))
        echo "run $run: the program $status; core: $(ls "$log"/core* 2>/dev/null || echo none)"
    fi
    if ((runs == 1)); then
        grep -a "SPEECH OUTPUT" "$log/orca.log" | sed -E "s/^.*SPEECH OUTPUT: '(.*)' ?\{.*$/\1/"
    fi
done
((runs > 1)) && echo "$runs runs, $deaths in which the program ended by itself; logs in $out"
exit 0
