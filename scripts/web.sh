#!/usr/bin/env bash
# Makes the web site on Debian 12: installs what is missing, makes (or
# reuses) the Debian 13 build root and Qt for WebAssembly in it, builds the
# program for the web there and puts the site together
# (scripts/web-build.sh). The last three lines printed: the single-file
# page (sistema.html, to open from a folder with no server), the site's
# folder, then a zip of it (one folder, `sistema`, to put on a web server;
# the single-file page is in it too).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
bash scripts/install-packages.sh "${web_host_packages[@]}" cmake

bash scripts/web-build.sh web

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/web/CMakeCache.txt)
zip=$PWD/build/sistema-$version-web.zip
staging=$(mktemp -d)
trap 'rm -rf "$staging"' EXIT
cp -r build/web/site "$staging/sistema"
rm -f "$zip"
(cd "$staging" && cmake -E tar cf "$zip" --format=zip sistema)
realpath build/web/site/sistema.html build/web/site "$zip"
