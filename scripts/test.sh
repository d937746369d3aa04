#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test, six times over:
#   1. the normal build, GCC;
#   2. the same tests built with AddressSanitizer and UndefinedBehaviorSanitizer;
#   3. a short run of each fuzzer (libFuzzer, clang);
#   4. the Windows build, cross-compiled with MinGW-w64 in the Debian 13
#      build root against Qt for Windows (built once per machine, see
#      scripts/windows-qt.sh): the same suites under Wine, and the installer
#      and the zip;
#   5. the program built against Qt 6.8, Debian 13's, in the Debian 13 build
#      root (made once per machine, see scripts/debian13-root.sh): its suites;
#   6. the web build, with Emscripten in that root: the value suites and the
#      form's handlers under Node and under WebKit's JavaScriptCore, the site
#      itself in Chromium, WebKitGTK and Firefox, with axe-core checking it,
#      and what Orca says of it in Firefox.
# The window tests run on Qt's offscreen platform; the few that need an X
# server or a Wayland compositor start their own (Xvfb, weston). Under Wine
# they run on Qt's Windows platform, on an X server of their own.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
bash scripts/install-packages.sh "${build_packages[@]}" "${run_packages[@]}" "${test_packages[@]}" "${package_packages[@]}" \
    "${windows_test_packages[@]}" \
    "${web_host_packages[@]}" "${web_test_packages[@]}"
# axe-core, at the version web/package-lock.json pins, for the site test.
command -v npm >/dev/null || bash scripts/install-packages.sh npm
npm ci --prefix tests/web --no-audit --no-fund --loglevel=error

# Numbers are read under the user's locale too: Bulgarian's decimal mark is ','.
bash scripts/install-locale.sh bg_BG.UTF-8

jobs=$(nproc)
build() {
    cmake --preset "$1"
    cmake --build --preset "$1" -j "$jobs"
}

echo "== 1. Build and test"
build test
ctest --preset test -j "$jobs"

echo "== 2. Sanitizers: address and undefined behaviour"
build sanitize
ctest --preset sanitize -j "$jobs"

echo "== 3. Fuzzing, ${FUZZ_SECONDS:-20} seconds a fuzzer"
cmake --preset fuzz -Dfuzz_seconds="${FUZZ_SECONDS:-20}"
cmake --build --preset fuzz -j "$jobs"
ctest --preset fuzz -j "$jobs"

echo "== 4. Windows: the same suites under Wine, the installer and the zip"
bash scripts/windows-build.sh windows-test
bash tests/with_display.sh ctest --preset windows-test -j "$jobs"

echo "== 5. Qt 6.8: the suites against Debian 13's Qt, in the Debian 13 root"
bash scripts/debian13-root.sh cmake --preset debian13 >/dev/null
bash scripts/debian13-root.sh cmake --build --preset debian13 -j "$jobs"
bash scripts/debian13-root.sh ctest --preset debian13 -j "$jobs"

echo "== 6. The web: the suites under Node and JavaScriptCore, the site in three browsers, Orca in Firefox"
bash scripts/web-build.sh web-test
ctest --preset web-test -j "$jobs"
