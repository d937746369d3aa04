#!/usr/bin/env bash
# Makes the Wine prefix the Windows tests run in (WINEPREFIX), or brings it
# up to date, and keeps a Wine server up between the tests' programs, which
# then start faster.
set -euo pipefail
export WINEDEBUG=${WINEDEBUG:--all}
mkdir -p "$WINEPREFIX"
wineserver -p30 || true # already up: fine
wineboot --init
# QtTest's report and Qt's messages on standard output and error, as on
# Linux: a Windows program without a console sends them to the debugger.
# Wine passes no QT_ variable on from Linux: it goes into the prefix.
wine reg add 'HKCU\Environment' /v QT_FORCE_STDERR_LOGGING /d 1 /f >/dev/null
# Windows in a Wine desktop of their own, as on Windows, rather than each an
# X window: without a window manager Wine waits a second for one at every
# window shown or hidden.
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null
