#!/usr/bin/env bash
# Makes the web site on Debian 12: installs what is missing, makes (or
# reuses) the Debian 13 build root and Qt for WebAssembly in it
# (scripts/web-root.sh, scripts/web-qt.sh), builds the program for the web
# there and puts the site together. The last two lines printed: the site's
# folder, then a zip of it (one folder, `sistema`, to put on a web server).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
bash scripts/install-packages.sh "${web_host_packages[@]}" cmake

qt=$(bash scripts/web-qt.sh)
in_root() { bash scripts/web-root.sh env EMSDK="$qt/emsdk" "$@"; }
in_root cmake --preset web -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake"
in_root cmake --build build/web -j "$(nproc)"

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/web/CMakeCache.txt)
zip=$PWD/build/sistema-$version-web.zip
staging=$(mktemp -d)
trap 'rm -rf "$staging"' EXIT
cp -r build/web/site "$staging/sistema"
rm -f "$zip"
(cd "$staging" && cmake -E tar cf "$zip" --format=zip sistema)
realpath build/web/site "$zip"
