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
#   6. the web build, against Qt for WebAssembly (built once per machine in
#      that root, see scripts/web-qt.sh): the value suites under Node, the
#      site itself in Chromium, WebKitGTK and Firefox, and what Orca says of
#      it in Firefox.
# The window tests run on Qt's offscreen platform; the few that need an X
# server or a Wayland compositor start their own (Xvfb, weston). Under Wine
# they run on Qt's Windows platform, on an X server of their own.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
bash scripts/install-packages.sh "${build_packages[@]}" "${run_packages[@]}" "${test_packages[@]}" "${package_packages[@]}" \
    "${windows_test_packages[@]}" \
    "${web_host_packages[@]}" "${web_test_packages[@]}"

# Numbers are read under the user's locale too: Bulgarian's decimal mark is ','.
bash scripts/install-locale.sh bg_BG.UTF-8

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
run_tests() {
    ctest --test-dir "$1" -j "$jobs" --output-on-failure --no-tests=error
}

echo "== 1. Build and test"
cmake --preset test
cmake --build build/test -j "$jobs"
run_tests build/test

echo "== 2. Sanitizers: address and undefined behaviour"
cmake --preset sanitize
cmake --build build/sanitize -j "$jobs"
run_tests build/sanitize

echo "== 3. Fuzzing, ${FUZZ_SECONDS:-20} seconds a fuzzer"
cmake --preset fuzz -Dfuzz_seconds="${FUZZ_SECONDS:-20}"
cmake --build build/fuzz -j "$jobs"
run_tests build/fuzz

echo "== 4. Windows: the same suites under Wine, the installer and the zip"
bash scripts/windows-build.sh windows-test
bash tests/with_display.sh ctest --test-dir build/windows-test -j "$jobs" --output-on-failure --no-tests=error

echo "== 5. Qt 6.8: the suites against Debian 13's Qt, in the Debian 13 root"
bash scripts/debian13-root.sh cmake --preset debian13 >/dev/null
bash scripts/debian13-root.sh cmake --build build/debian13 -j "$jobs"
bash scripts/debian13-root.sh env QT_QPA_PLATFORM=offscreen \
    ctest --test-dir build/debian13 -L suite -j "$jobs" --output-on-failure --no-tests=error

echo "== 6. The web: the value suites under Node, the site in three browsers, Orca in Firefox"
bash scripts/web-build.sh web-test
run_tests build/web-test
