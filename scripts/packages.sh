# The Debian 12 packages each command needs; sourced by the scripts.
build_packages=(cmake make g++ qt6-base-dev qt6-base-dev-tools)
# Times New Roman's metric twin with Cyrillic, Qt's native Wayland support,
# Qt's own texts in Bulgarian.
run_packages=(fonts-liberation qt6-wayland qt6-translations-l10n)
# GoogleTest, Qt's private headers (to switch accessibility on in a test),
# the desktop-file and AppStream checkers, clang for the fuzzers; an X server,
# D-Bus and the AT-SPI registry with its Python client for the screen-reader
# test; a Wayland compositor; the fonts a desktop may have instead of Times
# New Roman; the locales, to read numbers under Bulgarian's too.
test_packages=(libgtest-dev qt6-base-private-dev desktop-file-utils appstream clang libclang-rt-14-dev
    xvfb dbus-daemon at-spi2-core python3-pyatspi weston
    fonts-croscore fonts-urw-base35 fonts-dejavu-core locales)
# CPack's DEB generator finds the libraries the program links with
# dpkg-shlibdeps, and the files to look at with file.
package_packages=(dpkg-dev file lintian)
bench_packages=(libbenchmark-dev xvfb)
# Qt for Windows and the program are built in the Debian 13 root (see
# below). Their tests run under Wine on an X server, with a window manager
# and xdotool to type into the installed program, xclip to read what it
# copies and MinGW-w64's objdump to read the DLLs it imports.
windows_test_packages=(wine wine64 xvfb openbox xdotool xclip unzip binutils-mingw-w64-x86-64)
# The web build runs in a Debian 13 root (scripts/debian13-root.sh), made with
# debootstrap. The site is tried in three browser engines: Chromium through
# ChromeDriver and WebKitGTK's MiniBrowser through WebKitWebDriver (Selenium),
# Firefox through the WebDriver BiDi it serves (a WebSocket client), the
# last two on an X server, whose clipboard xclip reads; and as the Orca
# screen reader reads it in Firefox, with a window manager, D-Bus and the
# AT-SPI registry, xdotool pressing the keys.
web_host_packages=(debootstrap)
web_test_packages=(chromium chromium-driver python3-selenium webkit2gtk-driver libjavascriptcoregtk-4.0-bin firefox-esr python3-websocket
    xvfb xclip orca openbox xdotool dbus-daemon at-spi2-core)
# Inside the root: Emscripten and Qt's host tools (6.8) for Qt for
# WebAssembly, built from Debian's sources; GoogleTest's sources for the
# value suites under Node; the font and Qt's Bulgarian texts the page
# carries; for the program's native build against Qt 6.8 and its suites on
# the offscreen platform, the compiler, GoogleTest and Qt's private headers;
# and for Windows, Qt for Windows built from the same sources with
# MinGW-w64, the program against it and NSIS for its installer.
web_root_packages=(emscripten nodejs cmake ninja-build make dpkg-dev xz-utils
    qt6-base-dev qt6-base-dev-tools qt6-base-private-dev qt6-qpa-plugins qt6-translations-l10n
    googletest libgtest-dev g++ fonts-liberation fonts-dejavu-core fonttools python3-brotli
    g++-mingw-w64-x86-64-posix nsis)
