#!/usr/bin/env bash
# Configures and builds a Windows preset (windows, windows-test,
# windows-bench) in the Debian 13 build root, with its MinGW-w64, against Qt
# for Windows, made first where the machine has none (scripts/debian13-root.sh,
# scripts/windows-qt.sh).
#     bash scripts/windows-build.sh <preset>
set -euo pipefail
cd "$(dirname "$0")/.."
preset=$1
qt=$(bash scripts/windows-qt.sh)
bash scripts/debian13-root.sh cmake --preset "$preset" -DCMAKE_PREFIX_PATH="$qt" >/dev/null
bash scripts/debian13-root.sh cmake --build --preset "$preset" -j "$(nproc)"
