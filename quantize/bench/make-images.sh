#!/usr/bin/env bash
# Writes the quantizer's comparison and check images as binary PPM files into OUT_DIR:
#   photo-*    photographs, 768x512 (one also 1600x1200), cut from the wallpapers of Debian's
#              plasma-workspace-wallpapers when that package is installed
#   render-*   painted and rendered wallpapers from the same package, 768x512
#   the project's own generated images (benchimage): gradient, scene, noise, tiles
#   hard cases made with Pillow: two colours, few colours, flat areas, noise with 6 levels
#   tiny images and 1600x1200 versions of the generated ones
# Usage: make-images.sh OUT_DIR [BUILD_DIR] [SET]
#   SET: all (default), photos (photographs and renders only) or generated (no photographs)
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
out=${1:?output folder}
build=${2:-$root/build/default}
set=${3:-all}
benchimage=$build/bin/benchimage
mkdir -p "$out"

wallpapers=/usr/share/wallpapers
photos="BytheWater ColdRipple ColorfulCups DarkestHour EveningGlow FallenLeaf Grey Kite
        OneStandsOut Path summer_1am Volna"
renders="Autumn Elarun FlyingKonqui PastelHills SafeLanding Shell"
convert=/usr/bin/convert  # the real ImageMagick, not a stand-in earlier on the PATH
python=/usr/bin/python3   # Debian's Python, which python3-pil installs Pillow for

# The largest picture of a wallpaper, scaled to cover WIDTHxHEIGHT and cut to it from the middle.
wallpaper() { # NAME WIDTH HEIGHT OUT
  local source
  # shellcheck disable=SC2012  # the package's own file names, largest first
  source=$(ls -S "$wallpapers/$1"/contents/images/* | head -1)
  "$convert" -quiet "$source" -resize "$2x$3^" -gravity center -extent "$2x$3" -depth 8 "ppm:$4"
}

if [[ $set != generated ]]; then
  if [[ -d $wallpapers/Path && -x $convert ]]; then
    for name in $photos; do wallpaper "$name" 768 512 "$out/photo-$name-768x512.ppm"; done
    for name in $renders; do wallpaper "$name" 768 512 "$out/render-$name-768x512.ppm"; done
    wallpaper Path 1600 1200 "$out/photo-Path-1600x1200.ppm"
  else
    echo "make-images: no photographs (install plasma-workspace-wallpapers and imagemagick)" >&2
  fi
fi
[[ $set == photos ]] && exit 0

if [[ ! -x $benchimage ]]; then
  echo "make-images: $benchimage not found; build the project first" >&2
  exit 1
fi
for size in 768x512 1600x1200; do
  for kind in gradient scene noise tiles; do
    "$benchimage" make "$kind" "${size%x*}" "${size#*x}" "$out/$kind-$size.ppm"
  done
done
"$benchimage" make scene 1 1 "$out/tiny-scene-1x1.ppm"
"$benchimage" make scene 3 2 "$out/tiny-scene-3x2.ppm"
"$benchimage" make gradient 17 9 "$out/tiny-gradient-17x9.ppm"
"$benchimage" make noise 31 7 "$out/tiny-noise-31x7.ppm"

# Images with few colours, flat areas or coarse noise: the cases where box splitting runs out
# of work early or meets many equal values.
"$python" - "$out" <<'EOF'
import random
import sys
from PIL import Image, ImageDraw

out = sys.argv[1]


def shapes(width, height, colours, seed, count=60):
    """Rectangles and ellipses in the given colours on the first one, without smoothing."""
    rng = random.Random(seed)
    image = Image.new("RGB", (width, height), colours[0])
    draw = ImageDraw.Draw(image)
    for _ in range(count):
        x0, y0 = rng.randrange(width), rng.randrange(height)
        x1 = min(width - 1, x0 + rng.randrange(1, width // 3 + 2))
        y1 = min(height - 1, y0 + rng.randrange(1, height // 3 + 2))
        colour = colours[rng.randrange(1, len(colours))] if len(colours) > 1 else colours[0]
        (draw.rectangle if rng.random() < 0.5 else draw.ellipse)((x0, y0, x1, y1), fill=colour)
    return image


def flat_areas(width, height, seed):
    """A flat background, a smooth band, flat shapes and a little text-like detail."""
    rng = random.Random(seed)
    palette = [(rng.randrange(256), rng.randrange(256), rng.randrange(256)) for _ in range(12)]
    image = shapes(width, height, [(236, 236, 230)] + palette, seed, count=25)
    band = Image.linear_gradient("L").resize((width, height // 5))
    tinted = Image.merge("RGB", (band, band.point(lambda v: v // 2 + 60), band.point(lambda v: 255 - v)))
    image.paste(tinted, (0, height // 2))
    draw = ImageDraw.Draw(image)
    for _ in range(width * height // 400):
        x, y = rng.randrange(width - 4), rng.randrange(height - 6)
        draw.rectangle((x, y, x + rng.randrange(1, 4), y + rng.randrange(1, 6)), fill=(20, 20, 20))
    return image


def coarse_noise(width, height, seed, levels):
    rng = random.Random(seed)
    step = 255 // (levels - 1)
    values = bytes(rng.randrange(levels) * step for _ in range(width * height * 3))
    return Image.frombytes("RGB", (width, height), values)


images = {}
for width, height in ((768, 512), (1600, 1200)):
    size = f"{width}x{height}"
    images[f"two-colours-{size}"] = shapes(width, height, [(250, 250, 245), (30, 60, 140)], 1)
    images[f"few-colours-{size}"] = shapes(
        width, height, [(0, 0, 0), (255, 0, 0), (0, 200, 0), (20, 20, 255), (255, 255, 0),
                        (255, 255, 255), (128, 128, 128), (90, 40, 10)], 2)
    images[f"flat-{size}"] = flat_areas(width, height, 3)
    images[f"noise6-{size}"] = coarse_noise(width, height, 4, 6)
images["one-colour-768x512"] = Image.new("RGB", (768, 512), (10, 20, 30))
images["black-768x512"] = Image.new("RGB", (768, 512))
images["tiny-two-colours-5x3"] = shapes(5, 3, [(0, 0, 0), (255, 255, 255)], 5, count=2)
for name, image in images.items():
    image.save(f"{out}/{name}.ppm")
EOF
