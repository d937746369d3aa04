#!/bin/sh
# Renders the icon's PNG sizes from its source, the scalable SVG. Each is
# reduced to a palette of at most 256 colours: the 32 x 32 picture is the
# program's 256-colour icon; the sizes up to 64 have fewer colours and stay
# exact; all of them decode faster so (X11 asks the window for several at
# start-up). Needs librsvg2-bin, pngquant and imagemagick.
set -eu
cd "$(dirname "$0")"
id=org.example.sistema
source=hicolor/scalable/apps/$id.svg
for size in 16 32 48 64 128 256; do
    dir=hicolor/${size}x${size}/apps
    mkdir -p "$dir"
    rsvg-convert -w "$size" -h "$size" "$source" -o "$dir/$id.png"
    pngquant --force --strip --speed 1 256 --output "$dir/$id.png" "$dir/$id.png"
done
# The program's icon on Windows, from the same pictures (needs imagemagick).
convert hicolor/16x16/apps/$id.png hicolor/32x32/apps/$id.png hicolor/48x48/apps/$id.png \
    hicolor/256x256/apps/$id.png $id.ico
