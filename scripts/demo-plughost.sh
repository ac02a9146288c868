#!/usr/bin/env bash
# Runs plughost on the bundled sample scene: lists the plug-ins, then each export whose exporter
# is in the plug-in folder (.BON, .POS with textures, .CRS of Track01). Usage: BUILD_DIR OUT_DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:?build folder}" && pwd)
out=${2:?output folder}
mkdir -p "$out"
out=$(cd "$out" && pwd)

plughost="$build/bin/plughost"
plugins="$build/plugins"
scene="$root/examples/scene/sample.json"
# Settings files of this demo stay in its output folder, away from the user's own.
common=(--plugins "$plugins" --plugcfg "$out/plugcfg")

echo "plughost list --plugins $plugins"
"$plughost" list "${common[@]}" | tee "$out/plugins.txt"

failed=0
export_step() {  # extension, output file, options...
    local ext=$1 file=$2
    shift 2
    if ! grep -qx "    extension: $ext" "$out/plugins.txt"; then
        echo "-- $file: skipped, no exporter for .$ext in $plugins yet"
        return
    fi
    echo "-- plughost export sample.json $file $*"
    # Progress lines and message boxes go to a log beside the output.
    if "$plughost" export "$scene" "$out/$file" "${common[@]}" "$@" 2>"$out/$file.log"; then
        echo "   wrote $out/$file ($(wc -l <"$out/$file") lines)"
        grep -v '%$' "$out/$file.log" | sed 's/^/   /' || true
    else
        echo "   FAILED (exit status $?); the log $out/$file.log ends:"
        grep -v '%$' "$out/$file.log" | tail -5 | sed 's/^/   /'
        failed=$((failed + 1))
    fi
}

export_step BON sample.BON --rules "+Bip01*,-Bip01 Footsteps"
export_step POS sample.POS --rules "+Bip01*,-Bip01 Footsteps" --textures 1
export_step CRS sample.CRS --node Track01

if [ "$failed" -ne 0 ]; then
    echo "demo-plughost: $failed export(s) failed" >&2
    exit 1
fi
