#!/usr/bin/env bash
# Draws the program's two icons with ImageMagick and packs each into a .ico with the
# sizes Windows asks for (16, 24, 32, 48, 256):
#   program.ico (icon 100): a white quill on a blue tile, the window and file icon;
#   picture.ico (icon 101): a moth, shown beside the counter and in the About window.
# Every size is drawn from the same 256-pixel vector picture; the small sizes get a
# little sharpening so that the outlines survive the reduction.
# Usage: bash resources/make_icons.sh   (writes into resources/)
set -euo pipefail
cd "$(dirname "$0")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# A static control that loads an icon at its "actual" size takes the first image of
# the file, so each file starts with the size it is mostly shown at: the picture sits
# in a 24-pixel-high space beside the counter.
program_sizes=(16 24 32 48 256)
picture_sizes=(24 16 32 48 256)

program_mvg='
  fill "#23467a" stroke "#132a4d" stroke-width 6
  roundrectangle 10,10 246,246 44,44
  fill "#f4f1e8" stroke "#c9c2ad" stroke-width 4
  path "M 62,206 C 80,140 130,70 222,30 C 206,112 152,170 74,214 Z"
  fill none stroke "#8d8670" stroke-width 7 stroke-linecap round
  path "M 70,204 C 110,150 160,90 214,40"
  fill none stroke "#c9c2ad" stroke-width 4
  path "M 112,150 L 96,124"
  path "M 140,120 L 130,92"
  path "M 168,92 L 164,66"
  path "M 128,160 L 150,172"
  path "M 156,130 L 182,138"
  fill "#1b1b1b" stroke "#1b1b1b" stroke-width 2
  path "M 44,232 L 58,196 L 76,210 Z"
'

picture_mvg='
  stroke "#3a2812" stroke-width 6 stroke-linejoin round
  fill "#9a7444"
  path "M 128,104 C 96,44 34,22 16,58 C 2,92 44,136 124,132 Z"
  path "M 128,104 C 160,44 222,22 240,58 C 254,92 212,136 132,132 Z"
  fill "#7d5a30"
  path "M 124,134 C 84,138 48,176 62,212 C 76,238 114,208 126,160 Z"
  path "M 132,134 C 172,138 208,176 194,212 C 180,238 142,208 130,160 Z"
  fill "#f1d9a2" stroke "#3a2812" stroke-width 4
  circle 70,78 70,98
  circle 186,78 186,98
  fill "#3a2812" stroke none
  circle 70,78 70,86
  circle 186,78 186,86
  fill "#4a3218" stroke "#2a1a08" stroke-width 5
  ellipse 128,140 15,62 0,360
  fill none stroke "#2a1a08" stroke-width 6 stroke-linecap round
  path "M 120,86 C 110,56 92,34 66,24"
  path "M 136,86 C 146,56 164,34 190,24"
'

draw() {  # name, mvg, sizes...
  local name="$1" mvg="$2"
  shift 2
  local sizes=("$@")
  set -- "$name" "$mvg"
  convert -size 256x256 xc:none -draw "$2" -depth 8 "PNG32:$work/$1-256.png"
  local files=()
  for s in "${sizes[@]}"; do
    if [ "$s" -eq 256 ]; then
      files+=("$work/$1-256.png")
    else
      convert "$work/$1-256.png" -filter Lanczos -resize "${s}x${s}" -unsharp 0x0.6+0.6+0 \
        -depth 8 "PNG32:$work/$1-$s.png"
      files+=("$work/$1-$s.png")
    fi
  done
  convert "${files[@]}" -depth 8 "$1.ico"
}

draw program "$program_mvg" "${program_sizes[@]}"
draw picture "$picture_mvg" "${picture_sizes[@]}"
echo "wrote program.ico and picture.ico"
