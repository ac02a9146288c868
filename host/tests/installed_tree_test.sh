#!/bin/sh
# Installs the build into a fresh prefix and checks that the installed plughost finds the
# installed plug-ins by itself, and that the man pages and SDK headers are there.
# Usage: installed_tree_test.sh BUILD_DIR
set -eu
build=$1
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
