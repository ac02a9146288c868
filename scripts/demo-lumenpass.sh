#!/usr/bin/env bash
# Runs the camera render utility on the bundled sample scene through plughost: every camera to
# .raw/.act with the 24-bit Targa files kept (lumenpass.dlu), six panning faces per camera
# (lumenpass3.dlu), and the converter mode, where batrun runs the utility's batch and rawsmith
# makes the palette images. Writes a PNG picture of every .raw/.act pair and the panning faces
# of Camera01 as a cube cross. Usage: BUILD_DIR OUT_DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:?build folder}" && pwd)
out=${2:?output folder}
mkdir -p "$out"
out=$(cd "$out" && pwd)

plughost="$build/bin/plughost"
scene="$root/examples/scene/sample.json"
# batrun stands in for the command interpreter (COMSPEC unset) and finds RAWSMITH on the PATH;
# settings and the failure log stay in the demo's folder.
export PATH="$build/bin:$PATH"
export LUMENPASS_FAILURE_LOG="$out/failures.log"
unset COMSPEC

if ! ls "$build/plugins"/lumenpass*.dlu >/dev/null 2>&1; then
    echo "-- skipped: no lumenpass.dlu in $build/plugins yet"
    exit 0
fi

render() {  # name, library, panel actions
    local name=$1 library=$2 actions=$3
    mkdir -p "$out/$name"
    echo "-- plughost utility \"VTR Camera Renderer\" sample.json --library $library --ui \"$actions\""
    # Progress and message boxes go to a log; the batch's console output is shown indented.
    # The batch ends in pause, which goes on at the end of the input.
    "$plughost" utility "VTR Camera Renderer" "$scene" --library "$library" \
        --plugins "$build/plugins" --plugcfg "$out/plugcfg" \
        --ui "folder $out/$name; click 1006; $actions; click 1001" \
        </dev/null 2>"$out/$name.log" | sed 's/^/   | /'
    if grep -q '^Error: ' "$out/$name.log"; then
        grep '^Error: ' "$out/$name.log" | sed 's/^/   /'
        exit 1
    fi
    echo "   $(ls "$out/$name" | wc -l) files in $out/$name: $(ls "$out/$name" | head -6 | tr '\n' ' ')..."
}

# Each run starts from the options the one before saved, so every switch is set explicitly.
render cameras lumenpass.dlu "check 1007 1; check 1013 1; check 1012 0; check 1008 0; set 1018 640; set 1019 480"
render panning lumenpass3.dlu "check 1007 1; check 1013 0; check 1012 0; check 1008 1; set 1018 256"
render converter lumenpass.dlu "check 1007 1; check 1013 0; check 1012 1; check 1011 0; check 1008 0; set 1018 320; set 1019 240"

# Debian's Python, which python3-pil installs Pillow for.
previews=(/usr/bin/python3 "$root/scripts/palette-previews.py")
"${previews[@]}" 640 480 "$out/cameras"
"${previews[@]}" 256 256 "$out/panning" Camera01
"${previews[@]}" 320 240 "$out/converter"
echo "   PNG pictures of the palette images: $out/cameras/Camera01.png, $out/converter/Camera01.png,"
echo "   and the panning faces of Camera01 as a cube cross: $out/panning/Camera01-cube.png"
