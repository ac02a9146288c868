#!/usr/bin/env bash
# Runs the main jobs on the bundled samples; every output lands under out/demo/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$root" && cd "${1:-build/default}" && pwd)
out="$root/out/demo"
rm -rf "$out"
mkdir -p "$out"

run_part() {  # name, script
    local name=$1 script=$2
    if [ -x "$root/scripts/$script" ]; then
        echo "== $name"
        "$root/scripts/$script" "$build" "$out/$name"
    fi
}

run_part scene demo-plughost.sh      # .BON, .POS with textures, .CRS of the sample scene
run_part camweave demo-camweave.sh   # camera list into a LightWave scene, rename batch
run_part rawsmith demo-rawsmith.sh   # 256-colour .raw/.act from a Targa image
run_part lumenpass demo-lumenpass.sh # the sample scene's cameras rendered by the render utility

echo "== done: outputs are in $out"
