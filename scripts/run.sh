#!/usr/bin/env bash
# Installs what is missing, builds the program and opens its window.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
bash scripts/install-packages.sh "${build_packages[@]}" "${run_packages[@]}"

cmake --preset release
cmake --build build/release -j "$(nproc)"
exec build/release/app/desktop/sistema "$@"
