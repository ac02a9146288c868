#!/usr/bin/env bash
# Times plughost's .BON export of a 200-joint skeleton (20 chains of 10) animated over 2,000
# frames, from glTF and from the same scene as JSON, interleaved with the import library's own
# command-line tool exporting the same glTF to .assjson as an outside reference. Also times the
# JSON scene's loading alone, the .CRS export of the deepest bone's course, the .POS export of a
# skinned mesh of about 100,000 vertices and the joining of that mesh's repeated vertices against
# the import library's own joining step.
# Prints the best wall time of RUNS rounds, bone-frames a second and the ratios.
#   usage: bench/compare-exporters.sh [BUILD_DIR] [RUNS] [BASELINE_BUILD_DIR]
# With a baseline build (another checkout's build folder), its plughost runs in the same rounds
# and every output file of both is compared byte for byte.
# The machine may be shared: the rounds interleave the programs so that each sees the same load,
# and the best round counts.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/default}" && pwd)
runs=${2:-5}
baseline=${3:-}
[[ -n $baseline ]] && baseline=$(cd "$baseline" && pwd)

for program in "$build/bin/plughost" "$build/bin/make_bench_scenes"; do
  if [[ ! -x $program ]]; then
    echo "compare-exporters: $program not found; build the project first" >&2
    exit 1
  fi
done
have_assimp=false
command -v assimp >/dev/null && have_assimp=true

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bin/make_bench_scenes" skeleton "$work/scenes"
"$build/bin/make_bench_scenes" skinned "$work/scenes"
echo '{"root": {}}' >"$work/scenes/empty.json"
# The commands below hold patterns such as +Bone* that no file name may replace.
set -f
readonly bone_frames=$((200 * 2000))

# Each job: a name, the exit status it must end with, and the command.
declare -a names=() statuses=() commands=()
job() {
  names+=("$1")
  statuses+=("$2")
  commands+=("$3")
}
add_plughost_jobs() {  # label, build folder
  local label=$1 dir=$2
  local run="$dir/bin/plughost export"
  local opts="--plugins $dir/plugins --plugcfg $work/plugcfg-$label"
  job "$label-gltf" 0 "$run $work/scenes/skeleton.gltf $work/out/$label-gltf.BON $opts --rules +Bone*"
  job "$label-json" 0 "$run $work/scenes/skeleton.json $work/out/$label-json.BON $opts --rules +Bone*"
  # An output extension no exporter takes: plughost loads the scene and the plug-ins, then stops.
  # The same with an empty scene gives the start-up time, taken off to leave the loading alone.
  job "$label-json-load" 2 "$run $work/scenes/skeleton.json $work/out/$label-load.none $opts"
  job "$label-start" 2 "$run $work/scenes/empty.json $work/out/$label-start.none $opts"
  # The course of the deepest bone of the last chain, over the 2,000 frames.
  job "$label-gltf-crs" 0 "$run $work/scenes/skeleton.gltf $work/out/$label-gltf.CRS $opts --node Bone199"
  job "$label-skinned-pos" 0 \
    "$run $work/scenes/skinned.gltf $work/out/$label-skinned.POS $opts --rules +Bone* --textures 0"
}
add_plughost_jobs plughost "$build"
[[ -n $baseline ]] && add_plughost_jobs baseline "$baseline"
$have_assimp && job assimp 0 "assimp export $work/scenes/skeleton.gltf $work/out/assimp.assjson -fassjson"
mkdir -p "$work/out"

declare -A best=()
# Each round starts one job later than the one before: a job that follows the import library's
# tool (hundreds of megabytes of memory and output) finds the kernel busy reclaiming them, and
# no job should always be the one to follow it.
jobs=${#names[@]}
for ((round = 1; round <= runs; ++round)); do
  for ((k = 0; k < jobs; ++k)); do
    i=$(((k + round - 1) % jobs))
    sync  # the previous job's writes go to disk now, not while this one runs
    start=$(date +%s%N)
    status=0
    ${commands[$i]} >/dev/null 2>"$work/stderr" || status=$?
    end=$(date +%s%N)
    if [[ $status -ne ${statuses[$i]} ]]; then
      echo "compare-exporters: ${names[$i]} ended with status $status: ${commands[$i]}" >&2
      tail -3 "$work/stderr" >&2
      exit 1
    fi
    ms=$(((end - start) / 1000000))
    # The reference's output (hundreds of megabytes) is not compared: dropped at once, so that
    # its pages do not crowd the memory of the jobs that follow.
    rm -f "$work/out/assimp.assjson"
    name=${names[$i]}
    if [[ -z ${best[$name]:-} || $ms -lt ${best[$name]} ]]; then best[$name]=$ms; fi
  done
done

per_second() { echo $((bone_frames * 1000 / ($1 > 0 ? $1 : 1))); }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }'; }

printf '%-26s %8s %16s\n' "job (best of $runs)" ms "bone-frames/s"
for name in "${names[@]}"; do
  case $name in
    *-gltf | *-json | assimp) printf '%-26s %8s %16s\n' "$name" "${best[$name]}" "$(per_second "${best[$name]}")" ;;
    *) printf '%-26s %8s %16s\n' "$name" "${best[$name]}" "-" ;;
  esac
done
echo
$have_assimp && echo "assimp .assjson time / plughost .BON from glTF: $(ratio "${best[assimp]}" "${best[plughost-gltf]}")"
echo "plughost .BON from JSON / from glTF: $(ratio "${best[plughost-json]}" "${best[plughost-gltf]}")"
load_alone() { echo $((best[$1-json-load] - best[$1-start])); }
echo "plughost JSON loading alone: $(load_alone plughost) ms"
if [[ -n $baseline ]]; then
  for what in gltf json json-load gltf-crs skinned-pos; do
    echo "baseline / plughost, $what: $(ratio "${best[baseline-$what]}" "${best[plughost-$what]}")"
  done
  echo "baseline JSON loading alone: $(load_alone baseline) ms"
  echo "baseline / plughost, JSON loading alone: $(ratio "$(load_alone baseline)" "$(load_alone plughost)")"
  for file in gltf.BON json.BON gltf.CRS skinned.POS; do
    if cmp -s "$work/out/baseline-$file" "$work/out/plughost-$file"; then
      echo "$file: identical to the baseline's"
    else
      echo "$file: DIFFERS from the baseline's" >&2
      exit 1
    fi
  done
fi
$have_assimp || echo "(assimp-utils is not installed: no outside reference)"

# The joining of repeated vertices alone, on the skinned mesh: the import library's step against
# the import's (built with the benchmarks).
if [[ -x $build/bin/join_vertices_benchmark ]]; then
  "$build/bin/join_vertices_benchmark" --benchmark_format=csv "$work/scenes/skinned.gltf" \
    2>/dev/null >"$work/join.csv"
  join_ms() { awk -F, -v n="\"$1\"" '$1 == n { printf "%.1f", $3 }' "$work/join.csv"; }
  library=$(join_ms BM_LibraryJoin) ours=$(join_ms BM_ImportJoin)
  echo "vertex joining of the skinned mesh: library ${library} ms, import ${ours} ms," \
    "ratio $(ratio "$library" "$ours")"
fi
