#!/usr/bin/env bash
# Makes the Windows download on Debian 12: installs what is missing, builds
# Qt for Windows once (scripts/windows-qt.sh), cross-compiles the program
# and makes with CPack the installer and the zip. Their paths are the last
# two lines printed: the installer's, then the zip's.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
bash scripts/install-packages.sh "${windows_build_packages[@]}" "${windows_package_packages[@]}"

qt=$(bash scripts/windows-qt.sh)
cmake --preset windows -DCMAKE_PREFIX_PATH="$qt"
cmake --build build/windows -j "$(nproc)"
cpack --config build/windows/CPackConfig.cmake -B build
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/windows/CMakeCache.txt)
realpath "build/sistema-$version-win64-setup.exe" "build/sistema-$version-win64.zip"
