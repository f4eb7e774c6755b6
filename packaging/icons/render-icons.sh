#!/usr/bin/env bash
# Renders marionet.svg into the PNG sizes the hicolor theme installs (kept in the repository,
# so a build needs no SVG renderer). Run again after changing the drawing; needs rsvg-convert
# (Debian's librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 24 32 48 64 128 256; do
  rsvg-convert --width "$size" --height "$size" marionet.svg --output "marionet-$size.png"
done
