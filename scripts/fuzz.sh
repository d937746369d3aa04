#!/usr/bin/env bash
# A long fuzzing run: each fuzzer for the given seconds (600 if none), then
# the inputs that reached new code are merged into tests/fuzz/corpus, where
# the short runs of scripts/test.sh start from them.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
source scripts/packages.sh
bash scripts/install-packages.sh "${build_packages[@]}" "${run_packages[@]}" "${test_packages[@]}"

cmake --preset fuzz
cmake --build build/fuzz -j "$(nproc)"

export QT_QPA_PLATFORM=offscreen LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp
for name in read_number_fuzz solve_fuzz; do
    fuzzer=build/fuzz/tests/fuzz/$name
    found=build/fuzz/long-run/$name
    mkdir -p "$found"
    echo "== $name, $seconds seconds"
    "$fuzzer" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=4096 -print_final_stats=1 \
        -dict=tests/fuzz/number.dict -artifact_prefix="build/fuzz/$name-" \
        "$found" "tests/fuzz/corpus/$name"
    "$fuzzer" -merge=1 "tests/fuzz/corpus/$name" "$found"
done
git status --short tests/fuzz/corpus
