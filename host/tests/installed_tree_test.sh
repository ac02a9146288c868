#!/bin/sh
# Installs the build into a fresh prefix and checks that the installed plughost finds the
# installed plug-ins and its own modules by itself, and that the man pages and SDK headers are
# there.
# Usage: installed_tree_test.sh BUILD_DIR SCENE
set -eu
build=$1
scene=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
unset PLUGHOST_PLUGINS
# Run from elsewhere, so nothing of the build tree is near.
cd /
"$prefix/bin/plughost" list >"$prefix/list.txt"
grep -q '^quellstone.dle' "$prefix/list.txt" || { cat "$prefix/list.txt"; echo "quellstone.dle not listed"; exit 1; }
grep -q '^ravelpath.dle' "$prefix/list.txt" || { echo "ravelpath.dle not listed"; exit 1; }
for utility in lumenpass.dlu lumenpass3.dlu; do
    grep -q "^$utility" "$prefix/list.txt" || { echo "$utility not listed"; exit 1; }
done
[ -f "$prefix/share/man/man1/plughost.1" ] || { echo "no man page"; exit 1; }
[ -f "$prefix/include/hostsdk/plugin.h" ] || { echo "no SDK headers"; exit 1; }
# Nothing of the test plug-ins is installed.
if ls "$prefix"/lib/assetpipe/plugins | grep -q fake; then echo "test plug-ins installed"; exit 1; fi
# The renderer comes from the installed module; plughost itself loads no graphics or window
# library until it needs one.
[ -f "$prefix"/lib/assetpipe/plughost/plughost-gl.so ] || { echo "no renderer module"; exit 1; }
[ -f "$prefix"/lib/assetpipe/plughost/plughost-gui.so ] || { echo "no front end module"; exit 1; }
if readelf -d "$prefix/bin/plughost" | grep NEEDED | grep -E -i 'egl|epoxy|fltk|x11'; then
    echo "plughost links the graphics or window libraries itself"; exit 1
fi
"$prefix/bin/plughost" render "$scene" "$prefix/picture.png" --size 64x48 2>"$prefix/render.txt" ||
    { cat "$prefix/render.txt"; echo "the installed plughost does not render"; exit 1; }
