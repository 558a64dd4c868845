#!/bin/sh
# Renders the PNG sizes of the application icon from vardeko.svg into icons/.
# Run it after changing the SVG and commit the PNGs; the build installs them as they are,
# so building needs no SVG renderer. Needs rsvg-convert (Debian package librsvg2-bin).
set -eu
cd "$(dirname "$0")"
for size in 16 22 24 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" vardeko.svg -o "icons/vardeko-$size.png"
done
