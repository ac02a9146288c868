#!/usr/bin/env bash
# Compares rawsmith's quantizer with pngquant (no dithering), ImageMagick (-dither None
# -colors 256) and Pillow's median cut (256 colours, no dithering), those that are installed,
# on photographs (when Debian's plasma-workspace-wallpapers is installed) and on images the
# project makes itself, among them the kinds that used to be slow: few colours, flat areas,
# noise. See quantize/bench/make-images.sh for the images.
#   usage: bench/compare-quantizers.sh [BUILD_DIR] [REFERENCE_RAWSMITH]
#     BUILD_DIR            default build/default
#     REFERENCE_RAWSMITH   another rawsmith to time beside it, such as one built from main
#   environment: QUANTIZER_IMAGES=all|photos|generated (default all), QUANTIZER_RUNS (timed
#   runs per tool and image, default 5), QUANTIZER_COUNT=0 to skip the instruction counts.
# Prints per image and tool the best wall time of the runs in milliseconds (the tools take
# turns, so a busy machine slows them alike), the instructions of one run in millions as
# valgrind counts them (steady on a busy machine), and the PSNR of the 256-colour result
# against the original; then the medians over the photographs and the ratios that matter.
# Every figure covers the whole program: start-up, reading and writing its files (rawsmith and
# ImageMagick PPM, pngquant PNG, Pillow PPM in and PNG out, from Python).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/default}" && pwd)
reference=${2:-}
bin=$build/bin
set_name=${QUANTIZER_IMAGES:-all}
runs=${QUANTIZER_RUNS:-5}
count=${QUANTIZER_COUNT:-1}
for program in rawsmith benchimage; do
  if [[ ! -x $bin/$program ]]; then
    echo "compare-quantizers: $bin/$program not found; build the project first" >&2
    exit 1
  fi
done
if [[ -n $reference && ! -x $reference ]]; then
  echo "compare-quantizers: $reference is not a program" >&2
  exit 1
fi

# The real ImageMagick program: a `convert` earlier on the PATH may be a stand-in.
imagemagick=""
if command -v magick >/dev/null; then
  imagemagick=$(command -v magick)
elif [[ -x /usr/bin/convert ]] && /usr/bin/convert -version 2>/dev/null | grep -q ImageMagick; then
  imagemagick=/usr/bin/convert
fi
have_pngquant=false
if command -v pngquant >/dev/null && [[ -n $imagemagick ]]; then
  have_pngquant=true # ImageMagick turns PPM into PNG and back for it
fi
# Debian's Python, which python3-pil installs Pillow for.
python=/usr/bin/python3
have_pillow=false
if [[ -x $python ]] && "$python" -c "import PIL" 2>/dev/null; then have_pillow=true; fi
have_valgrind=false
if [[ $count != 0 ]] && command -v valgrind >/dev/null; then have_valgrind=true; fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$root/quantize/bench/make-images.sh" "$work/images" "$build" "$set_name" >&2

pillow_script='
import sys
from PIL import Image
image = Image.open(sys.argv[1]).convert("RGB")
image.quantize(256, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE).save(sys.argv[2])
'

tools=("rawsmith" "rawsmith /p /m")
[[ -n $reference ]] && tools+=("reference rawsmith")
$have_pngquant && tools+=("pngquant --nofs")
[[ -n $imagemagick ]] && tools+=("imagemagick")
$have_pillow && tools+=("pillow mediancut")

# Sets `command` to a tool's command line for the PPM file IN, with its result going to
# OUT_STEM.ppm, OUT_STEM.png or (rawsmith, which writes beside its input) OUT_STEM.raw/.act;
# rawsmith's input copy OUT_STEM.ppm is made here, outside what is timed and counted.
prepare() { # TOOL IN OUT_STEM
  local tool=$1 in=$2 out=$3
  case $tool in
    "rawsmith") cp "$in" "$out.ppm" && command=("$bin/rawsmith" /q "$out.ppm") ;;
    "rawsmith /p /m") cp "$in" "$out.ppm" && command=("$bin/rawsmith" /q /p /m "$out.ppm") ;;
    "reference rawsmith") cp "$in" "$out.ppm" && command=("$reference" /q "$out.ppm") ;;
    "pngquant --nofs") command=(pngquant --nofs --force --output "$out.png" 256 "$in.png") ;;
    "imagemagick") command=("$imagemagick" "$in" -dither None -colors 256 "$out.ppm") ;;
    "pillow mediancut") command=("$python" -c "$pillow_script" "$in" "$out.png") ;;
  esac
}

now_ns() { date +%s%N; }

out_stem() { echo "$work/out-${1//[^a-z]/_}"; }

# Milliseconds of one run.
timed_run() { # TOOL IN OUT_STEM
  prepare "$@"
  local start
  start=$(now_ns)
  "${command[@]}" >/dev/null 2>&1
  echo $((($(now_ns) - start) / 1000000))
}

# Instructions of one run in millions, as valgrind counts them.
instructions() { # TOOL IN OUT_STEM
  $have_valgrind || { echo "-"; return; }
  prepare "$@"
  local log=$work/valgrind.log
  valgrind --tool=cachegrind --cache-sim=no --cachegrind-out-file=/dev/null --log-file="$log" \
    "${command[@]}" >/dev/null 2>&1 || { echo "?"; return; }
  awk '/I *refs/ { gsub(",", "", $4); printf "%d", $4 / 1000000 }' "$log"
}

psnr() { # TOOL IN OUT_STEM
  local tool=$1 in=$2 out=$3
  case $tool in
    rawsmith* | "reference rawsmith") "$bin/benchimage" psnr "$in" "$out.raw" "$out.act" ;;
    "pngquant --nofs" | "pillow mediancut")
      "$imagemagick" "$out.png" -depth 8 "ppm:$out-back.ppm" &&
        "$bin/benchimage" psnr "$in" "$out-back.ppm" ;;
    "imagemagick") "$bin/benchimage" psnr "$in" "$out.ppm" ;;
  esac
}

row() { printf '%-30s %-20s %8s %9s %8s\n' "$@"; }

command=()
declare -A best_ms count_m
row image tool ms Minstr "PSNR dB"
for original in "$work/images"/*.ppm; do
  name=$(basename "$original" .ppm)
  [[ $name == tiny-* ]] && continue
  $have_pngquant && "$imagemagick" "$original" "$original.png"
  # Interleaved: every tool once per round.
  for ((round = 0; round < runs; round++)); do
    for tool in "${tools[@]}"; do
      ms=$(timed_run "$tool" "$original" "$(out_stem "$tool")")
      key="$name|$tool"
      if [[ -z ${best_ms[$key]:-} || $ms -lt ${best_ms[$key]} ]]; then best_ms[$key]=$ms; fi
    done
  done
  for tool in "${tools[@]}"; do
    out=$(out_stem "$tool")
    key="$name|$tool"
    count_m[$key]=$(instructions "$tool" "$original" "$out")
    row "$name" "$tool" "${best_ms[$key]}" "${count_m[$key]}" "$(psnr "$tool" "$original" "$out")"
  done
done

# Medians over the photographs, and the ratios the quantizer is held to.
median() { sort -n | awk '{ v[NR] = $1 } END { if (NR == 0) print "-"; else if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
photos=()
for key in "${!best_ms[@]}"; do
  image=${key%%|*}
  [[ $image == photo-*-768x512 ]] && photos+=("$image")
done
if [[ ${#photos[@]} -gt 0 ]]; then
  mapfile -t photos < <(printf '%s\n' "${photos[@]}" | sort -u)
  echo
  echo "medians over ${#photos[@]} photographs of 768 x 512:"
  declare -A median_ms median_m
  for tool in "${tools[@]}"; do
    median_ms[$tool]=$(for p in "${photos[@]}"; do echo "${best_ms[$p|$tool]}"; done | median)
    median_m[$tool]=$(for p in "${photos[@]}"; do echo "${count_m[$p|$tool]}"; done | { grep -v '^[-?]$' || true; } | median)
    row "" "$tool" "${median_ms[$tool]}" "${median_m[$tool]}" ""
  done
  ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (a + 0 > 0 && b + 0 > 0) printf "%.2f", a / b; else print "-" }'; }
  [[ -n $imagemagick ]] &&
    echo "rawsmith time / ImageMagick time: $(ratio "${median_ms[rawsmith]}" "${median_ms[imagemagick]}")"
  $have_pillow &&
    echo "rawsmith instructions / Pillow instructions: $(ratio "${median_m[rawsmith]}" "${median_m[pillow mediancut]}")"
  [[ -n $reference ]] &&
    echo "rawsmith instructions / reference instructions: $(ratio "${median_m[rawsmith]}" "${median_m[reference rawsmith]}")"
fi
