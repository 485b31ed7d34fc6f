#!/usr/bin/env bash
# Renders the PNG sizes of the program icon and of the archive file icon from their SVG drawings
# (packaging/icons/*.svg) with rsvg-convert (Debian package librsvg2-bin). Run it after changing
# a drawing and commit the PNGs with it; the build uses the PNGs as they are.
set -euo pipefail
cd "$(dirname "$0")/../packaging/icons"
for size in 16 22 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" porvel.svg -o "porvel-$size.png"
done
for size in 16 32 48 64 128; do
  rsvg-convert -w "$size" -h "$size" porvel-archive.svg -o "porvel-archive-$size.png"
done
