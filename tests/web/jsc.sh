#!/usr/bin/env bash
# Runs a GoogleTest suite built for the web (its .js) under JavaScriptCore's
# shell, the engine of WebKit, Safari and every browser on an iPhone or iPad,
# from the folder that holds its .wasm. This shell ends with status 0 whatever
# the program asks, so the suite has passed only when GoogleTest says so.
#     jsc.sh <suite.js>
set -euo pipefail
cd "$(dirname "$1")"
output=$(mktemp)
trap 'rm -f "$output"' EXIT
jsc "$(basename "$1")" 2>&1 | tee "$output"
grep -q '^\[  PASSED  \]' "$output" && ! grep -q '^\[  FAILED  \]' "$output"
