#!/bin/sh
# plughost with quellstone.dle and ravelpath.dle in one plug-in folder.
# Usage: plughost_course_test.sh list|export|missing PLUGHOST QUELLSTONE RAVELPATH SCENE
set -u
check=$1 plughost=$2 quellstone=$3 ravelpath=$4 scene=$5

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/plugins" "$work/plugcfg"
# Only these two libraries, so other plug-ins in the build's folder do not change the list.
ln -s "$quellstone" "$work/plugins/quellstone.dle"
ln -s "$ravelpath" "$work/plugins/ravelpath.dle"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

case $check in
list)
    "$plughost" list --plugins "$work/plugins" >"$work/list.txt" 2>"$work/err.txt" ||
        fail "plughost list exited with $?: $(cat "$work/err.txt")"
    cat "$work/list.txt"
    exporters=$(grep -c '^    super class: 0xA20$' "$work/list.txt")
    [ "$exporters" -eq 3 ] || fail "expected 3 exporter classes, found $exporters"
    bonexp=$(grep -c '^  class [0-9]*: BonExp$' "$work/list.txt")
    [ "$bonexp" -eq 2 ] || fail "expected 2 classes named BonExp, found $bonexp"
    # The two BonExp classes differ by class id; each id follows its own name.
    grep -A2 ': BonExp$' "$work/list.txt" | grep -q 'class id: 0x42772D3E, 0x04F53196' ||
        fail "the Bone exporter's class id is missing"
    grep -A2 ': BonExp$' "$work/list.txt" | grep -q 'class id: 0x094C358B, 0x4EE93F74' ||
        fail "the Course exporter's class id is missing"
    grep -q '^  version: 0x07D00500$' "$work/list.txt" || fail "ravelpath.dle's version is missing"
    grep -q '^    extension: CRS$' "$work/list.txt" || fail "the CRS extension is missing"
    ;;
export)
    # A lower-case extension picks the Course exporter all the same.
    "$plughost" export "$scene" "$work/out.crs" --node track01 --plugins "$work/plugins" \
        --plugcfg "$work/plugcfg" 2>"$work/err.txt" ||
        fail "plughost export exited with $?: $(cat "$work/err.txt")"
    [ -f "$work/out.crs" ] || fail "no out.crs"
    head -n 5 "$work/out.crs" | od -c | head -n 3
    lines=$(wc -l <"$work/out.crs")
    frames=$(sed -n 4p "$work/out.crs" | tr -d '\r')
    [ "$(head -n 1 "$work/out.crs")" = "$(printf '// .CRS version\r')" ] ||
        fail "first line is not the .CRS header with CR LF"
    [ "$lines" -eq $((5 + 4 * frames)) ] || fail "$lines lines for $frames frames"
    [ "$frames" -gt 1 ] || fail "expected the scene's whole range, got $frames frames"
    # The node moves: its position lines are not all alike.
    positions=$(awk 'NR > 5 && (NR - 5) % 4 == 0' "$work/out.crs" | sort -u | wc -l)
    [ "$positions" -gt 1 ] || fail "the node's position never changes"
    # No file of another exporter was written and the course options were saved.
    [ -f "$work/plugcfg/ravelpath.ini" ] || fail "ravelpath.ini was not saved"
    [ ! -f "$work/plugcfg/quellstone.ini" ] || fail "quellstone.ini was written by a course export"
    ;;
missing)
    status=0
    "$plughost" export "$scene" "$work/out.CRS" --node "No Such Node" --plugins "$work/plugins" \
        --plugcfg "$work/plugcfg" 2>"$work/err.txt" || status=$?
    cat "$work/err.txt"
    [ "$status" -eq 1 ] || fail "exit status $status, expected 1"
    grep -q "^VTR Course Exporter: Can't find node \"No Such Node\"$" "$work/err.txt" ||
        fail "no message naming the node"
    [ ! -e "$work/out.CRS" ] || fail "out.CRS was left behind"
    ;;
*)
    fail "unknown check $check"
    ;;
esac
echo "PASS: $check"
