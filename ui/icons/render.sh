#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the tree icons (ImageList1) from their ImageMagick drawing sources:
# each .mvg is drawn at 64 x 64 and reduced to 16 x 16 with transparency.
set -euo pipefail
cd "$(dirname "$0")"
for source in *.mvg; do
  commands=$(grep -v '^#' "$source" | tr '\n' ' ')
  convert -size 64x64 xc:none -draw "scale 4,4 $commands" -filter box -resize 16x16 \
    "PNG32:${source%.mvg}.png"
done
