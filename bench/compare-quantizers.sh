#!/usr/bin/env bash
# Compares rawsmith's quantizer with pngquant (no dithering) and ImageMagick
# (-dither None -colors 256), when they are installed, on images the project makes itself.
# Prints per image and tool the best wall time of three runs in milliseconds and the PSNR
# of the 256-colour result against the original.
#   usage: bench/compare-quantizers.sh [BUILD_DIR]     (default build/default)
# Timings include each tool's own file reading and writing: rawsmith reads PPM and writes
# .raw/.act, pngquant reads and writes PNG, ImageMagick reads and writes PPM.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/default}
bin=$build/bin
for program in rawsmith benchimage; do
  if [[ ! -x $bin/$program ]]; then
    echo "compare-quantizers: $bin/$program not found; build the project first" >&2
    exit 1
  fi
done

imagemagick=""
if command -v magick >/dev/null; then
  imagemagick="magick"
elif command -v convert >/dev/null && convert -version 2>/dev/null | grep -q ImageMagick; then
  imagemagick="convert"
fi
have_pngquant=false
if command -v pngquant >/dev/null && [[ -n $imagemagick ]]; then
  have_pngquant=true  # ImageMagick turns PNG into PPM for the comparison
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

now_ns() { date +%s%N; }

# Runs a command three times; prints the fastest run in milliseconds.
best_ms() {
  local best="" start end ms
  for _ in 1 2 3; do
    start=$(now_ns)
    "$@" >/dev/null 2>&1
    end=$(now_ns)
    ms=$(( (end - start) / 1000000 ))
    if [[ -z $best || $ms -lt $best ]]; then best=$ms; fi
  done
  echo "$best"
}

row() { printf '%-22s %-20s %8s %8s\n' "$@"; }

row image tool ms "PSNR dB"
for size in 640x480 1600x1200; do
  width=${size%x*}
  height=${size#*x}
  for kind in gradient scene; do
    name="$kind-$size"
    original="$work/$name.ppm"
    "$bin/benchimage" make "$kind" "$width" "$height" "$original"

    ms=$(best_ms "$bin/rawsmith" /q "$original")
    row "$name" "rawsmith" "$ms" "$("$bin/benchimage" psnr "$original" "$work/$name.raw" "$work/$name.act")"

    ms=$(best_ms "$bin/rawsmith" /q /p /m "$original")
    row "$name" "rawsmith /p /m" "$ms" "$("$bin/benchimage" psnr "$original" "$work/$name.raw" "$work/$name.act")"

    if $have_pngquant; then
      "$imagemagick" "$original" "$work/$name.png"
      ms=$(best_ms pngquant --nofs --force --output "$work/$name-pq.png" 256 "$work/$name.png")
      "$imagemagick" "$work/$name-pq.png" "$work/$name-pq.ppm"
      row "$name" "pngquant --nofs" "$ms" "$("$bin/benchimage" psnr "$original" "$work/$name-pq.ppm")"
    else
      row "$name" "pngquant" "-" "not installed"
    fi

    if [[ -n $imagemagick ]]; then
      ms=$(best_ms "$imagemagick" "$original" -dither None -colors 256 "$work/$name-im.ppm")
      row "$name" "imagemagick" "$ms" "$("$bin/benchimage" psnr "$original" "$work/$name-im.ppm")"
    else
      row "$name" "imagemagick" "-" "not installed"
    fi
  done
done
