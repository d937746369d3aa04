#!/usr/bin/env bash
# Makes the web site on Debian 12: installs what is missing, makes (or
# reuses) the Debian 13 build root, builds the program for the web there with
# Emscripten and puts the site together (scripts/web-build.sh). The last
# three lines printed: the page (index.html, the whole program in it, which
# also opens from a folder with no server), the site's folder, then a zip of
# it (one folder, `sistema`, to put on a web server or to open from).
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
realpath build/web/site/index.html build/web/site "$zip"
