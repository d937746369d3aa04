#!/usr/bin/env bash
# Builds Qt for WebAssembly from Debian 13's own Qt sources, in the Debian 13
# build root (scripts/web-root.sh), with its Emscripten and its Qt host
# tools: static, single-threaded, release, optimised for size, only what the
# program needs (Core, Gui, Widgets, the `wasm` platform). Two patches go in
# first (scripts/web-qt-*.patch): the platform's accessibility layer is on
# from the start, tells screen readers names, labels, values and read-only
# states, and its page elements of the controls have the browser's focus
# where Qt has its own, both ways; the platform leaves out its bundled
# fonts, as the program carries its own. The result goes to the cache
# folder beside the root and is reused while its inputs (the root, Debian's
# source version, the options below, the patches) are the same. Prints its
# prefix, as seen inside the root and out (the same path); what it does
# goes to stderr.
#     bash scripts/web-qt.sh
# Cache: $SISTEMA_CACHE, or ${XDG_CACHE_HOME:-~/.cache}/sistema.
set -euo pipefail
cd "$(dirname "$0")/.."
exec 3>&1 1>&2
repo=$PWD
root=$(bash scripts/web-root.sh)
in_root() { bash "$repo/scripts/web-root.sh" "$@"; }
source scripts/qt-features.sh

version=$(in_root apt-get source --print-uris -q qt6-base | sed -n "s/^'[^']*' qt6-base_\([^ ]*\)\.dsc .*/\1/p")
configure=(
    -qt-host-path /usr -platform wasm-emscripten
    -static -release -optimize-size -no-feature-thread
    -nomake examples -nomake tests -nomake benchmarks
    -qt-zlib -qt-libpng -qt-freetype -qt-harfbuzz -qt-pcre -no-icu -no-fontconfig
)
off=(
    "${qt_features_off[@]}"
    # Under Node only the value suites run, on GoogleTest; no BMP pictures.
    # OpenGL stays, as the web platform's backing store is made with it; XPM
    # too (drag and drop, which the web platform needs, comes with it).
    testlib imageformat_bmp
)
for feature in "${off[@]}"; do configure+=("-no-feature-$feature"); done
patches=("$repo"/scripts/web-qt-*.patch)

cache=${SISTEMA_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/sistema}
key=$( { basename "$root"; echo "$version"; echo "${configure[*]}"; cat "${patches[@]}"; } | sha256sum | cut -c1-12)
prefix=$cache/qt-$version-wasm-$key
if [[ -f $prefix/.complete ]]; then
    echo "Qt for WebAssembly: $prefix (built before)"
    echo "$prefix" >&3
    exit 0
fi

work=$cache/work-wasm-$key
rm -rf "$work" "$prefix"
mkdir -p "$work" "$prefix"
started=$SECONDS

# Qt finds Emscripten through an emsdk's layout: $EMSDK/.emscripten names
# where under it Emscripten is. Debian's is in /usr/share/emscripten. The
# program's builds find it the same way, so it lives beside Qt.
emsdk=$prefix/emsdk
mkdir -p "$emsdk/upstream"
ln -s /usr/share/emscripten "$emsdk/upstream/emscripten"
echo "EMSCRIPTEN_ROOT = emsdk_path + '/upstream/emscripten'" >"$emsdk/.emscripten"

(cd "$work" && in_root bash -c 'apt-get source -q qt6-base' >"$work/source.log" 2>&1) \
    || { tail -n 20 "$work/source.log"; exit 1; }
source_dir=$(find "$work" -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
for patch in "${patches[@]}"; do
    patch -d "$source_dir" -p1 --quiet <"$patch"
done

mkdir -p "$work/build"
(cd "$work/build" && in_root env EMSDK="$emsdk" "$source_dir/configure" -prefix "$prefix" "${configure[@]}" \
    -- -G Ninja -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >"$work/configure.log" 2>&1) || { tail -n 40 "$work/configure.log"; exit 1; }
echo "Qt for WebAssembly: configured in $((SECONDS - started)) s; building (about 10 minutes on 2 cores)"
in_root env EMSDK="$emsdk" cmake --build "$work/build" --parallel "$(nproc)" >"$work/build.log" 2>&1 \
    || { tail -n 40 "$work/build.log"; exit 1; }
in_root cmake --install "$work/build" >/dev/null
touch "$prefix/.complete"
[[ -n ${SISTEMA_KEEP_QT_BUILD:-} ]] || rm -rf "$work"
echo "Qt for WebAssembly: built in $((SECONDS - started)) s, in $prefix"
echo "$prefix" >&3
