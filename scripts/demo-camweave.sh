#!/usr/bin/env bash
# camweave demo: keys the sample camera list into the sample LightWave scene, writes the rename
# batch, then runs that batch with batrun on fake numbered renders.
# Usage: demo-camweave.sh BUILD_DIR OUTPUT_DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:?build folder}" && pwd)
out=${2:?output folder}
mkdir -p "$out"
out=$(cd "$out" && pwd)

cp "$root/examples/camweave/lobby.lc" "$root/examples/camweave/lobby.lws" "$out/"
cd "$out"
echo "-- camweave lobby.lws /p /rrenders\\shot /t  (in $out)"
"$build/bin/camweave" lobby.lws /p '/rrenders\shot' /t

# Stand-ins for what LightWave would render from the new scene: one small 24-bit Targa per
# keyframe, numbered from 0001 (eight keyframes: two fixed cameras and six views of the roof).
mkdir -p renders
for frame in 1 2 3 4 5 6 7 8; do
    # 18-byte header: no id, no colour map, type 2 (true colour), 2 x 2 pixels, 24 bits.
    printf '\0\0\2\0\0\0\0\0\0\0\0\0\2\0\2\0\30\0' > "renders/shot000$frame.tga"
    printf "\\$(printf '%03o' $((frame * 30)))\\0\\0" >> "renders/shot000$frame.tga"
    printf '\0\200\0\0\0\200\377\377\377' >> "renders/shot000$frame.tga"
done

echo "-- batrun lobby_rename_cameras.bat"
PATH="$build/bin:$PATH" "$build/bin/batrun" lobby_rename_cameras.bat </dev/null
echo
echo "-- renders now:"
ls renders
echo "-- the scene's old version is kept as lobby.bak; the rewritten camera block:"
sed -n '/CameraMotion/,/^EndBehavior/p' lobby.lws | head -8
