#!/usr/bin/env bash
# Runs a program built for the web (its .js) under Node: CTest's emulator
# for the web build. Node is the Debian 13 root's, where the program was
# built; from outside the root the command goes in.
#     node.sh <program.js> [arguments...]
set -euo pipefail
[[ -n ${SISTEMA_IN_ROOT:-} ]] && exec node "$@"
exec bash "$(dirname "$0")/../../scripts/debian13-root.sh" node "$@"
