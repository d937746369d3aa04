#!/usr/bin/env bash
# Builds and runs the benchmarks; each prints its figures as ratios against
# a reference measured in the same run. Not part of the tests.
#     bash scripts/bench.sh [--windows] [--web]
# With --windows, also the start-up of the Windows program under Wine; with
# --web, what a first visit to the web site downloads, how soon it answers
# on a phone's network and on none (headless Chromium), against the same
# page without the program, and Lighthouse's scores.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
bash scripts/install-packages.sh "${build_packages[@]}" "${run_packages[@]}" "${bench_packages[@]}"

cmake --preset bench
cmake --build --preset bench -j "$(nproc)"

bench=build/bench/bench
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
repeat=(--benchmark_repetitions=5 --benchmark_report_aggregates_only=true)

echo "== Reading and writing numbers"
"$bench/number_bench" "${repeat[@]}"
echo
echo "== One solve as the user sees it (offscreen)"
"$bench/solve_bench" "${repeat[@]}"
echo
echo "== Start-up, offscreen platform"
"$bench/startup_bench" build/bench/app/desktop/sistema "$bench/bare_window" 30
echo
echo "== Start-up, X server (Xvfb)"
bash tests/with_display.sh env QT_QPA_PLATFORM=xcb \
    "$bench/startup_bench" build/bench/app/desktop/sistema "$bench/bare_window" 30

if [[ " $* " == *" --web "* ]]; then
    echo
    echo "== The web site against the same page without the program (headless Chromium)"
    bash scripts/install-packages.sh "${web_host_packages[@]}" "${web_test_packages[@]}"
    # Lighthouse, at the version web/package-lock.json pins.
    command -v npm >/dev/null || bash scripts/install-packages.sh npm
    npm ci --prefix bench/web --no-audit --no-fund --loglevel=error
    bash scripts/web-build.sh web-bench
    /usr/bin/python3 bench/web_bench.py build/web-bench/site build/web-bench/floor-site 5
fi

[[ " $* " == *" --windows "* ]] || exit 0
echo
echo "== Start-up of the Windows program under Wine (Xvfb), against the bare window built the same way"
bash scripts/install-packages.sh "${web_host_packages[@]}" "${windows_test_packages[@]}"
bash scripts/windows-build.sh windows-bench
windows=$PWD/build/windows-bench
for program in sistema bare_window; do
    printf '#!/bin/sh\nexec bash %s/tests/windows/wine.sh %s/%s.exe\n' "$PWD" "$windows" "$program" >"$windows/run-$program"
    chmod +x "$windows/run-$program"
done
WINEPREFIX=$windows/wine-prefix bash tests/with_display.sh bash -c \
    "bash tests/windows/prefix.sh && $bench/startup_bench $windows/run-sistema $windows/run-bare_window 30"
