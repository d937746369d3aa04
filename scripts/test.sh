#!/usr/bin/env bash
# Installs what is missing, builds the program and its tests, and runs every
# test on Qt's offscreen platform: no display needed.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
bash scripts/install-packages.sh "${build_packages[@]}" "${run_packages[@]}" "${test_packages[@]}"

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

echo "== Build and test"
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSISTEMA_BUILD_TESTS=ON
cmake --build build/test -j "$jobs"
ctest --test-dir build/test -j "$jobs" --output-on-failure --no-tests=error
