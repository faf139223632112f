#!/usr/bin/env bash
# Draws the menu's 18 colours with their numbers into colour-table.png (ImageMagick).
set -euo pipefail
cd "$(dirname "$0")"
colours=("0 0 0" "0 0 0" "0 0 127" "127 0 0" "0 127 0" "0 0 255" "0 127 127" "127 0 127"
         "127 127 0" "127 127 127" "255 0 0" "255 0 255" "0 255 0" "255 255 0" "0 255 255"
         "255 255 255" "192 192 192" "224 224 224")
tiles=()
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for i in "${!colours[@]}"; do
  read -r r g b <<<"${colours[$i]}"
  if [ $((r * 3 + g * 6 + b)) -lt 1000 ]; then ink=white; else ink=black; fi
  convert -size 140x56 "xc:rgb($r,$g,$b)" -bordercolor '#888' -border 1 -fill "$ink" \
    -font Liberation-Sans -pointsize 15 -gravity center \
    -annotate +0+0 "$i   ($r,$g,$b)" "$work/$(printf %02d "$i").png"
  tiles+=("$work/$(printf %02d "$i").png")
done
montage "${tiles[@]}" -tile 6x -geometry +4+4 -background white colour-table.png
