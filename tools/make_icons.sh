#!/usr/bin/env bash
# Draws the PNG sizes of the program's icon that desktops look for in the hicolor theme, from
# resources/icons/kvat.svg, as resources/icons/kvat-SIZE.png. The install rules install every
# kvat-SIZE.png there is, so a size added here needs nothing else.
set -euo pipefail
icons=$(cd "$(dirname "$0")/../resources/icons" && pwd)
command -v rsvg-convert >/dev/null || { echo "make_icons: needs rsvg-convert (librsvg2-bin)" >&2; exit 1; }
rm -f "$icons"/kvat-*.png
for size in 16 22 24 32 48 64 128 256 512; do
    rsvg-convert --width "$size" --height "$size" --output "$icons/kvat-$size.png" "$icons/kvat.svg"
done
