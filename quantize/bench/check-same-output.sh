#!/usr/bin/env bash
# By-hand check that a change to the quantizer keeps its output bytes: runs a reference rawsmith
# and the one of BUILD_DIR on every image of make-images.sh, in each of rawsmith's modes, and
# compares the .raw and .act files with cmp.
# Usage: check-same-output.sh REFERENCE [BUILD_DIR] [IMAGE_DIR]
#   REFERENCE  a rawsmith program, or a git revision (such as main) to build one from in a
#              temporary worktree
#   IMAGE_DIR  images to use instead of making them (every *.ppm and *.tga in it)
# Prints one line per image and mode that differs, and a summary; exits with 1 on a difference.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
reference=${1:?reference rawsmith or git revision}
build=$(cd "${2:-$root/build/default}" && pwd)
images=${3:-}
work=$(mktemp -d)
cleanup() {
  if [[ -d $work/source ]]; then git -C "$root" worktree remove --force "$work/source"; fi
  rm -rf "$work"
}
trap cleanup EXIT

if [[ ! -x $reference ]]; then
  echo "building rawsmith at $reference ..." >&2
  git -C "$root" worktree add --detach --quiet "$work/source" "$reference"
  cmake -S "$work/source" -B "$work/reference-build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DASSETPIPE_BENCHMARKS=OFF >/dev/null
  cmake --build "$work/reference-build" --target rawsmith >/dev/null
  reference=$work/reference-build/bin/rawsmith
fi

if [[ -z $images ]]; then
  images=$work/images
  "$here/make-images.sh" "$images" "$build" >&2
fi

compared=0
differing=0
for image in "$images"/*.ppm "$images"/*.tga; do
  [[ -e $image ]] || continue
  file=$(basename "$image")
  for mode in "" "/m" "/p" "/p /m"; do
    for side in old new; do
      rm -rf "${work:?}/$side"
      mkdir -p "$work/$side"
      cp "$image" "$work/$side/$file"
    done
    # shellcheck disable=SC2086  # the mode is zero, one or two switches
    "$reference" /q $mode "$work/old/$file"
    # shellcheck disable=SC2086
    "$build/bin/rawsmith" /q $mode "$work/new/$file"
    for ext in raw act; do
      old=$work/old/${file%.*}.$ext
      new=$work/new/${file%.*}.$ext
      if ! cmp -s "$old" "$new"; then
        echo "DIFFERENT: $file ${mode:-(default)} .$ext"
        differing=$((differing + 1))
      fi
    done
    compared=$((compared + 1))
  done
done
echo "$compared runs compared, $differing files differ"
[[ $differing -eq 0 ]]
