#!/usr/bin/env bash
# Runs a Windows program under Wine: CTest's emulator for the Windows build,
# in the Wine prefix its tests name (WINEPREFIX); Wine's own messages off.
#     wine.sh <program.exe> [arguments...]
set -euo pipefail
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko to offer to download.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
exec wine "$@"
