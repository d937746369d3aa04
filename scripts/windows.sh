#!/usr/bin/env bash
# Makes the Windows download on Debian 12: installs what is missing, makes
# (or reuses) the Debian 13 build root and Qt for Windows in it
# (scripts/windows-qt.sh), cross-compiles the program there and makes with
# CPack the installer and the zip. Their paths are the last two lines
# printed: the installer's, then the zip's.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
bash scripts/install-packages.sh "${web_host_packages[@]}"

bash scripts/windows-build.sh windows
bash scripts/debian13-root.sh cpack --config build/windows/CPackConfig.cmake -B build >/dev/null
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/windows/CMakeCache.txt)
realpath "build/sistema-$version-win64-setup.exe" "build/sistema-$version-win64.zip"
