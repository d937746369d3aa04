#!/usr/bin/env bash
# Builds Qt for 64-bit Windows from Debian's own Qt sources, cross-compiled
# with MinGW-w64: static, release, only what the program and its tests need
# (Core, Gui, Widgets, Test, the `windows` platform plugin and style). The
# result goes to a cache folder outside the source tree and is reused while
# its inputs (Debian's source version, the options below, the toolchain
# file, the compiler) are the same. Prints its prefix; what it does goes to
# stderr.
#     bash scripts/windows-qt.sh
# Cache: $SISTEMA_CACHE, or ${XDG_CACHE_HOME:-~/.cache}/sistema.
set -euo pipefail
cd "$(dirname "$0")/.."
exec 3>&1 1>&2
root=$PWD
source scripts/packages.sh
bash scripts/install-packages.sh "${windows_build_packages[@]}"

# Qt's sources come from the Debian mirror apt already uses for the
# system's release, through a deb-src entry for it.
if ! apt-get source --print-uris -q qt6-base >/dev/null 2>&1; then
    release=$(. /etc/os-release && echo "$VERSION_CODENAME")
    mirror=$(apt-get indextargets --format '$(REPO_URI) $(RELEASE) $(TARGET_OF)' \
        | awk -v release="$release" '$2 == release && $3 == "deb" { print $1; exit }')
    as_root=(); [[ $(id -u) -eq 0 ]] || as_root=(sudo)
    printf 'Types: deb-src\nURIs: %s\nSuites: %s\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
        "${mirror:-http://deb.debian.org/debian/}" "$release" \
        | "${as_root[@]}" tee /etc/apt/sources.list.d/sistema-deb-src.sources >/dev/null
    "${as_root[@]}" apt-get update -q
fi
version=$(apt-get source --print-uris -q qt6-base | sed -n "s/^'[^']*' qt6-base_\([^ ]*\)\.dsc .*/\1/p")

off=(
    # Modules the program does not use.
    sql network dbus printsupport xml concurrent
    # Graphics APIs: the widgets draw with the raster engine.
    opengl vulkan direct2d
    # Not in Debian's sources (src/3rdparty/wintab).
    tabletevent
    # Debian's cross patch turns it on.
    androiddeployqt
    # Fonts come from Windows; pictures are PNG.
    freetype fontconfig jpeg gif ico movie
    textmarkdownreader textmarkdownwriter textodfwriter pdf
    sessionmanager
    # Host libraries are not for Windows.
    pkg_config zstd icu glib
)
configure=(
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake"
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF
    # Lets the program's link drop what it does not use (--gc-sections).
    -DCMAKE_C_FLAGS="-ffunction-sections -fdata-sections"
    -DCMAKE_CXX_FLAGS="-ffunction-sections -fdata-sections"
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DINPUT_opengl=no
)
for feature in "${off[@]}"; do configure+=("-DFEATURE_$feature=OFF"); done
# Without Direct2D, Qt 6.4.2's platform plugin still reaches for the
# DirectWrite font database, which Gui then does not build.
patch='s/^#if QT_CONFIG(directwrite3)$/#if QT_CONFIG(directwrite3) \&\& QT_CONFIG(direct2d)/'

cache=${SISTEMA_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/sistema}
key=$( { echo "$version"; echo "${configure[*]//$root/}" "$patch"; cat cmake/mingw-w64.cmake; x86_64-w64-mingw32-g++-posix --version; } \
    | sha256sum | cut -c1-12)
prefix=$cache/qt-$version-mingw-$key
if [[ -f $prefix/.complete ]]; then
    echo "Qt for Windows: $prefix (built before)"
    echo "$prefix" >&3
    exit 0
fi

work=$cache/work-$key
rm -rf "$work" "$prefix"
mkdir -p "$work"
started=$SECONDS
(cd "$work" && apt-get source -q qt6-base >/dev/null)
source_dir=$(find "$work" -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
sed -i "$patch" "$source_dir/src/plugins/platforms/windows/qwindowsintegration.cpp"

cmake -S "$source_dir" -B "$work/build" -G Ninja -DCMAKE_INSTALL_PREFIX="$prefix" "${configure[@]}" >"$work/configure.log"
echo "Qt for Windows: configured in $((SECONDS - started)) s; building (about a quarter of an hour on 2 cores)"
cmake --build "$work/build" --parallel "$(nproc)" >"$work/build.log" 2>&1 \
    || { tail -n 40 "$work/build.log"; exit 1; }
cmake --install "$work/build" >/dev/null
touch "$prefix/.complete"
rm -rf "$work"
echo "Qt for Windows: built in $((SECONDS - started)) s, in $prefix"
echo "$prefix" >&3
