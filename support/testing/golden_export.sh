#!/bin/sh
# Runs one plughost export and compares the written file byte for byte with a golden file.
# Usage: golden_export.sh PLUGHOST PLUGIN_DIR SCENE GOLDEN [plughost options...]
# The output gets the golden file's name in a fresh folder; settings stay in that folder.
set -eu
plughost=$1 plugins=$2 scene=$3 golden=$4
shift 4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
out="$work/$(basename "$golden")"
"$plughost" export "$scene" "$out" --plugins "$plugins" --plugcfg "$work/plugcfg" "$@" \
    2>"$work/stderr.txt" || { echo "plughost failed:"; cat "$work/stderr.txt"; exit 1; }
cmp "$golden" "$out" || { diff "$golden" "$out" | head -20; exit 1; }
