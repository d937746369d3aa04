#!/usr/bin/env bash
# Installs the build into a staging prefix and checks what a desktop finds
# there: the program, its menu entry, its icons and its AppStream metadata.
set -euo pipefail
build_dir=$1
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

cmake --install "$build_dir" --prefix "$stage/usr" >/dev/null
id=org.example.sistema
share=$stage/usr/share

expect_file() {
    [[ -f $1 ]] || { echo "not installed: ${1#"$stage"}"; exit 1; }
}

expect_file "$stage/usr/bin/sistema"
[[ -x $stage/usr/bin/sistema ]] || { echo "sistema is not executable"; exit 1; }
expect_file "$share/applications/$id.desktop"
expect_file "$share/metainfo/$id.metainfo.xml"
expect_file "$share/icons/hicolor/scalable/apps/$id.svg"
for size in 16 32 48 64 128 256; do
    expect_file "$share/icons/hicolor/${size}x${size}/apps/$id.png"
done
expect_file "$share/man/man1/sistema.1.gz"
expect_file "$share/doc/sistema/copyright"
expect_file "$share/doc/sistema/changelog.gz"

# The window's picture: 32 x 32 with a palette (PNG colour type 3).
png=$share/icons/hicolor/32x32/apps/$id.png
read -r width height depth colour_type < <(od -An -tu1 -j16 -N10 "$png" |
    awk '{ print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8, $9, $10 }')
[[ $width == 32 && $height == 32 && $depth == 8 && $colour_type == 3 ]] ||
    { echo "32 x 32 icon is ${width}x${height}, depth $depth, colour type $colour_type"; exit 1; }

grep -qx "Icon=$id" "$share/applications/$id.desktop"
grep -qx "Exec=sistema" "$share/applications/$id.desktop"
desktop-file-validate "$share/applications/$id.desktop"
appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml"
grep -q "<project_license>MIT</project_license>" "$share/metainfo/$id.metainfo.xml"
echo "installed and valid"
