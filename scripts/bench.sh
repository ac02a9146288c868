#!/usr/bin/env bash
# Runs every benchmark by hand (not part of the tests): Google Benchmark programs and timed scripts.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$root" && cd "${1:-build/default}" && pwd)
for b in "$build"/bin/bone_export_bench "$build"/bin/quantize_benchmark "$build"/bin/render_benchmark; do
    [ -x "$b" ] || continue
    echo "== $(basename "$b")"
    "$b"
done
for s in "$root"/bench/*.sh; do
    [ -x "$s" ] || continue
    echo "== $(basename "$s")"
    "$s" "$build"
done
