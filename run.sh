#!/usr/bin/env bash
# Front door for a fresh machine: installs what is missing (make included), then runs the
# Makefile target named on the command line: demo, test, bench, build.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
exec make "${1:-demo}"
