#!/usr/bin/env bash
# Quantizes a generated rendered-looking image to 256 colours with rawsmith, writes a PNG picture
# of the palette image to look at, and reports how close the palette image stays to the
# original. Usage: BUILD_DIR OUT_DIR
set -euo pipefail
build=$(cd "${1:?build folder}" && pwd)
out=${2:?output folder}
mkdir -p "$out"
bin="$build/bin"

"$bin/benchimage" make scene 640 480 "$out/scene.tga"
echo "-- rawsmith --png scene-palette.png scene.tga"
"$bin/rawsmith" --png "$out/scene-palette.png" "$out/scene.tga"
echo "   PSNR of scene.raw/.act against scene.tga: $("$bin/benchimage" psnr "$out/scene.tga" "$out/scene.raw" "$out/scene.act")"
