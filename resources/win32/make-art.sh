#!/usr/bin/env bash
# Re-makes the Windows art from the PNGs beside it with ImageMagick; the
# results are committed, so the build does not need ImageMagick.
#   quarvel2.ico: 16, 32 and 48 px, 256 colours each, transparency in the mask
#   banner.bmp, banner@2x.bmp: 256 colours, uncompressed
set -euo pipefail
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
icons=(../icon-16.png ../icon-32.png ../icon-48.png)

# ImageMagick writes an icon with 16 colours or fewer at 4 bits: a palette of
# the icons' own colours padded to 255, and one transparent entry, keeps every
# colour exact at 8 bits.
convert "${icons[@]}" -background black -alpha remove +append -unique-colors "$work/own.png"
own=$(identify -format %w "$work/own.png")
convert "$work/own.png" \( -size 1x$((255 - own)) gradient:'#010203-#fefdfc' -rotate 90 \) +append -unique-colors \
  \( -size 1x1 xc:none \) +append "$work/palette.png"
convert "${icons[@]}" +dither -remap "$work/palette.png" quarvel2.ico

for banner in banner banner@2x; do
  convert ../$banner.png -alpha off -colors 256 -type Palette -compress none BMP3:$banner.bmp
done
