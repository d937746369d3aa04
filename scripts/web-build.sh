#!/usr/bin/env bash
# Configures and builds a web preset (web, web-test, web-bench) with
# Emscripten in the Debian 13 build root, made first where the machine has
# none (scripts/debian13-root.sh).
#     bash scripts/web-build.sh <preset>
set -euo pipefail
cd "$(dirname "$0")/.."
preset=$1
bash scripts/debian13-root.sh cmake --preset "$preset" >/dev/null
bash scripts/debian13-root.sh cmake --build --preset "$preset" -j "$(nproc)"
