#!/usr/bin/env bash
# Makes the sample scene's texture images with ImageMagick. The images are committed; run this
# only to remake them.
set -euo pipefail
cd "$(dirname "$0")/textures"
# Skin: an opaque gradient, PNG without alpha.
convert -size 32x32 gradient:'#f0c8a0'-'#a06040' -strip PNG24:skin.png
# Cloth: a blue and white check, Windows bitmap.
convert -size 32x32 pattern:checkerboard -fill '#2040a0' -opaque black -strip BMP3:cloth.bmp
# Hair: dark brown whose alpha fades from opaque at the top to clear at the bottom.
convert -size 32x32 xc:'#402010' \( -size 32x32 gradient:white-black \) \
    -alpha off -compose CopyOpacity -composite -strip PNG32:hair.png
# Bump: a grey ramp, uncompressed Targa.
convert -size 16x16 gradient:gray20-gray80 -rotate 90 -type TrueColor -strip TGA:bump.tga
# Floor: sandstone tiles with darker joints, PNG without alpha.
convert -size 64x64 xc:'#c8b898' -fill '#a89878' -draw 'rectangle 0,0 31,31' \
    -draw 'rectangle 32,32 63,63' -fill '#6a604e' -draw 'rectangle 0,0 63,1' \
    -draw 'rectangle 0,0 1,63' -strip PNG24:floor.png
