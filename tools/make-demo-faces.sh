#!/usr/bin/env bash
# Draws the demo face set in examples/obrazkys: six pictures (JPEG, PNG, GIF),
# each with its face number, an arrow pointing up and a corner mark, so that
# turns and mirror images show; beside each, its 32 x 32 companion bitmap.
# Needs ImageMagick (convert). The results are committed; run it only to
# change them.
set -euo pipefail
out="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/examples/obrazkys"
mkdir -p "$out"
faces=("1-predni.jpg:#d03030" "2-prava.png:#2f8f2f" "3-zadni.gif:#2f4fd0"
       "4-leva.jpg:#d0a020" "5-horni.png:#8f2fa0" "6-dolni.gif:#20a0a0")
n=0
for entry in "${faces[@]}"; do
    n=$((n + 1))
    name="${entry%%:*}"
    colour="${entry#*:}"
    base="${name%%.*}"
    convert -size 128x128 "xc:$colour" \
        -fill white -stroke white -draw "polygon 64,4 88,34 40,34" \
        -draw "rectangle 6,6 26,26" \
        -fill white -stroke none -font DejaVu-Sans-Bold -pointsize 80 \
        -gravity center -annotate +0+14 "$n" \
        "$out/$name"
    convert "$out/$name" -resize 32x32! -type TrueColor "BMP3:$out/$base.bmp"
done
echo "written to $out"
