#!/usr/bin/env bash
# Runs every libFuzzer harness of a fuzz build for SECONDS each (default 60) over a copy of its
# seed corpus, so new inputs stay out of the tree. Stops at the first harness that finds a fault;
# the input that caused it is left in the build folder and named on the last lines.
# Usage: scripts/fuzz.sh [BUILD_DIR] [SECONDS]
set -euo pipefail
build=${1:-build/fuzz}
seconds=${2:-60}
list="$build/fuzzers.txt"
[ -s "$list" ] || { echo "fuzz.sh: no harnesses listed in $list (configure with the fuzz preset)" >&2; exit 2; }
while read -r program corpus; do
    name=$(basename "$program")
    work="$build/fuzz-corpus/$name"
    mkdir -p "$work" "$build/fuzz-findings"
    [ -d "$corpus" ] && cp -n "$corpus"/* "$work"/ 2>/dev/null || true
    echo "== $name: $seconds s"
    "$program" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$build/fuzz-findings/$name-" "$work" 2>&1 | tail -n 12
done <"$list"
