#!/bin/sh
# Exports the sample scene's skinned character with plughost and checks the .POS file against
# golden/sample.POS and each Targa file with ImageMagick: size, depth, and every pixel equal to
# the source image. Usage: PLUGHOST PLUGIN_DIR SOURCE_DIR WORK_DIR
set -eu
plughost=$1 plugins=$2 source=$3 work=$4
here=$(dirname "$0")
textures="$source/examples/scene/textures"
rm -rf "$work"
mkdir -p "$work"

"$plughost" export "$source/examples/scene/sample.json" "$work/sample.POS" \
    --plugins "$plugins" --plugcfg "$work/plugcfg" \
    --rules "+Bip01*,-Bip01 Footsteps" --textures 1 2>"$work/stderr.txt" || {
    echo "plughost failed:"; cat "$work/stderr.txt"; exit 1; }
if grep -q 'warning' "$work/stderr.txt"; then
    echo "plughost warned:"; grep 'warning' "$work/stderr.txt"; exit 1
fi
cmp "$here/golden/sample.POS" "$work/sample.POS" || {
    diff "$here/golden/sample.POS" "$work/sample.POS" | head -20; exit 1; }

fail=0
check() {  # target, source image, width, height, depth byte, channels
    tga="$work/$1"
    [ -f "$tga" ] || { echo "$1 was not written"; fail=1; return; }
    depth=$(od -An -tu1 -j16 -N1 "$tga" | tr -d ' ')
    [ "$depth" = "$5" ] || { echo "$1: depth $depth, expected $5"; fail=1; }
    info=$(identify -format '%w %h %[channels]' "$tga")
    [ "$info" = "$3 $4 $6" ] || { echo "$1: identify says '$info', expected '$3 $4 $6'"; fail=1; }
    differing=$(compare -metric AE "$textures/$2" "$tga" null: 2>&1) || true
    [ "$differing" = "0" ] || { echo "$1: $differing pixels differ from $2"; fail=1; }
}
check skin.tga skin.png 32 32 24 srgb
check cloth.tga cloth.bmp 32 32 24 srgb
check hair.tga hair.png 32 32 32 srgba
exit $fail
