#!/usr/bin/env bash
# Times camweave keying a list of 10,000 cameras into a 5 MB LightWave scene, with the rename
# batch. The inputs are generated in a temporary folder.
# Usage: camweave-bench.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:?build folder}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

awk 'BEGIN {
    print "Camera list for the benchmark"; print "1"; print "counts"; print "0, 10000"
    print "no lights"; print "cameras"
    for (i = 0; i < 10000; i++) {
        # One in ten cameras is wide: with /p each of those becomes six views.
        fov = (i % 10 == 0) ? 2.2 : 0.9
        printf "\"Cam%05d\",%d.5,%d.25,-%d,0.05,0,1.5708,%s\n", i, i % 97, i % 13, i % 89, fov
        print "  1"; print "  2"; print "  3"; print "  4"
    }
}' > bench.lc

# Objects with motions fill the scene before the camera, effects after it: 5 MB in all.
awk 'BEGIN {
    print "LWSC"; print "1"; print ""
    for (i = 0; i < 16000; i++) {
        printf "LoadObject Objects\\Props\\prop%05d.lwo\n", i
        print "ShowObject 6 3"; print "ObjectMotion (unnamed)"; print "  9"; print "  3"
        for (k = 0; k < 3; k++) {
            printf "  %d.125 %d.5 -%d.75 %d 0 0 1 1 1\n", i % 50, k, i % 40, k * 120
            printf "  %d 0 0 0 0\n", k * 30
        }
        print "EndBehavior 2"; print "ShadowOptions 7"; print ""
    }
    print "ShowCamera 1 2"; print "CameraMotion (unnamed)"; print "  9"; print "  1"
    print "  0 1.5 -5 0 0 0 1 1 1"; print "  0 0 0 0 0"; print "EndBehavior 1"
    print "ZoomFactor 3.2"; print "RenderMode 2"
    for (i = 0; i < 20000; i++) printf "Comment filler line %06d of the benchmark scene\n", i
}' > bench.lws

printf 'inputs: list %s bytes, scene %s bytes\n' "$(stat -c %s bench.lc)" "$(stat -c %s bench.lws)"
start=$(date +%s.%N)
"$build/bin/camweave" bench.lws /p '/rrenders\shot' /t >/dev/null
end=$(date +%s.%N)
printf 'camweave: %s keyframes, scene now %s bytes, %.3f s\n' \
    "$(grep -c '^ren ' bench_rename_cameras.bat)" "$(stat -c %s bench.lws)" \
    "$(awk "BEGIN { print $end - $start }")"
