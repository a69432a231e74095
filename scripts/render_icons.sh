#!/usr/bin/env bash
# Renders the program's icon (packaging/icons/mervalla.svg) to the PNG sizes
# that are committed beside it. Run after changing the SVG; needs
# rsvg-convert (Debian package librsvg2-bin). The build itself uses the
# committed PNGs and needs no drawing tool.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
icons="$here/packaging/icons"
for size in 16 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" "$icons/mervalla.svg" -o "$icons/mervalla-$size.png"
done
echo "Rendered $(ls "$icons"/mervalla-*.png | wc -l) PNG sizes in $icons"
