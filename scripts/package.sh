#!/usr/bin/env bash
# Installs what is missing, builds the release build and makes the Debian
# package from it with CPack. The package's path is the last line printed.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
bash scripts/install-packages.sh "${build_packages[@]}" "${run_packages[@]}" "${package_packages[@]}"

cmake --preset release
cmake --build build/release -j "$(nproc)"
cpack --config build/release/CPackConfig.cmake -B build
realpath build/sistema_*.deb | tail -n 1
