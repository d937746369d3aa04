#!/usr/bin/env bash
# Builds Qt for 64-bit Windows from Debian 13's own Qt sources (6.8, a
# long-term-support release), in the Debian 13 build root
# (scripts/debian13-root.sh), cross-compiled with its MinGW-w64 and its Qt host
# tools: static, release, only what the program and its tests need (Core,
# Gui, Widgets, Test, the `windows` platform plugin and styles). The result
# goes to the cache folder beside the root and is reused while its inputs
# (the root, Debian's source version, the options below, the toolchain file)
# are the same. Prints its prefix, as seen inside the root and out (the same
# path); what it does goes to stderr.
#     bash scripts/windows-qt.sh
# Cache: $SISTEMA_CACHE, or ${XDG_CACHE_HOME:-~/.cache}/sistema.
set -euo pipefail
cd "$(dirname "$0")/.."
exec 3>&1 1>&2
repo=$PWD
root=$(bash scripts/debian13-root.sh)
in_root() { bash "$repo/scripts/debian13-root.sh" "$@"; }

version=$(in_root apt-get source --print-uris -q qt6-base | sed -n "s/^'[^']*' qt6-base_\([^ ]*\)\.dsc .*/\1/p")
# What the program has none of: modules, pictures, documents, dialogs and
# widgets; and what Windows does not need or Debian's sources lack.
off=(
    # Modules the program does not use.
    sql network dbus printsupport xml concurrent
    # The widgets draw with the raster engine.
    vulkan
    # Pictures are PNG; no documents or movies.
    jpeg gif ico imageformat_ppm imageformat_xbm movie
    textmarkdownreader textmarkdownwriter textodfwriter pdf
    sessionmanager systemtrayicon
    # Dialogs and widgets the program lacks.
    filedialog colordialog fontdialog printdialog wizard
    mdiarea dockwidget calendarwidget datetimeedit lcdnumber dial splashscreen
    # The widgets draw with the raster engine. (Direct2D stays: Qt 6.8.2
    # builds its DirectWrite font database, the default, only with it; its
    # second platform plugin, which draws with it, goes.)
    opengl direct2d1_1
    # Not in Debian's sources (src/3rdparty/wintab).
    tabletevent
    # Fonts come from Windows (DirectWrite).
    freetype fontconfig
    # Host libraries and tools, not for Windows; Debian's cross patch turns
    # the Android one on.
    pkg_config zstd icu glib androiddeployqt
)
configure=(
    -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64.cmake"
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF
    # Small before fast, as for the web: the program's window is all it draws.
    -DFEATURE_optimize_size=ON
    # Lets the program's link drop what it does not use (--gc-sections).
    -DCMAKE_C_FLAGS="-ffunction-sections -fdata-sections"
    -DCMAKE_CXX_FLAGS="-ffunction-sections -fdata-sections"
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DINPUT_opengl=no
)
for feature in "${off[@]}"; do configure+=("-DFEATURE_$feature=OFF"); done

cache=${SISTEMA_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/sistema}
key=$( { basename "$root"; echo "$version"; echo "${configure[*]//$repo/}"; cat cmake/mingw-w64.cmake; } \
    | sha256sum | cut -c1-12)
prefix=$cache/qt-$version-mingw-$key
if [[ -f $prefix/.complete ]]; then
    echo "Qt for Windows: $prefix (built before)"
    echo "$prefix" >&3
    exit 0
fi

work=$cache/work-mingw-$key
rm -rf "$work" "$prefix"
mkdir -p "$work"
started=$SECONDS
(cd "$work" && in_root bash -c 'apt-get source -q qt6-base' >"$work/source.log" 2>&1) \
    || { tail -n 20 "$work/source.log"; exit 1; }
source_dir=$(find "$work" -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)

in_root cmake -S "$source_dir" -B "$work/build" -G Ninja -DCMAKE_INSTALL_PREFIX="$prefix" "${configure[@]}" \
    >"$work/configure.log" 2>&1 || { tail -n 40 "$work/configure.log"; exit 1; }
echo "Qt for Windows: configured in $((SECONDS - started)) s; building (15 to 25 minutes on 2 cores)"
in_root cmake --build "$work/build" --parallel "$(nproc)" >"$work/build.log" 2>&1 \
    || { tail -n 40 "$work/build.log"; exit 1; }
in_root cmake --install "$work/build" >/dev/null
touch "$prefix/.complete"
[[ -n ${SISTEMA_KEEP_QT_BUILD:-} ]] || rm -rf "$work"
echo "Qt for Windows: built in $((SECONDS - started)) s, in $prefix"
echo "$prefix" >&3
