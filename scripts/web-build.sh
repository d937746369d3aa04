#!/usr/bin/env bash
# Configures and builds a web preset (web, web-test, web-bench) in the Debian
# 13 build root, against Qt for WebAssembly, made first where the machine has
# none (scripts/web-root.sh, scripts/web-qt.sh).
#     bash scripts/web-build.sh <preset>
set -euo pipefail
cd "$(dirname "$0")/.."
preset=$1
qt=$(bash scripts/web-qt.sh)
in_root() { bash scripts/web-root.sh env EMSDK="$qt/emsdk" "$@"; }
in_root cmake --preset "$preset" -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" >/dev/null
in_root cmake --build "build/$preset" -j "$(nproc)"
