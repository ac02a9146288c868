#!/usr/bin/env bash
# Pictures of plughost's windows (--gui) for the documentation, made under a virtual X server of
# their own: the Bone and Pose variants of the options dialog, the rule editor, the Course
# options dialog, a message box and, when the render utility is built, its panel in the main
# window. Usage: scripts/gui-screenshots.sh [BUILD_DIR [OUT_DIR]]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$root" && cd "${1:-build/default}" && pwd)
out=$(mkdir -p "${2:-$root/docs}" && cd "${2:-$root/docs}" && pwd)
plughost="$build/bin/plughost"
plugins="$build/plugins"
scene="$root/examples/scene/sample.json"
work=$(mktemp -d)

# A server on a free display; its number arrives through a pipe once it accepts connections.
exec {fd}<> <(:)
Xvfb -displayfd "$fd" -screen 0 1280x1024x24 -nolisten tcp 2>/dev/null &
xvfb=$!
read -r -u "$fd" display
export DISPLAY=":$display"
cleanup() {
    kill "$xvfb" 2>/dev/null || true
    jobs -p | xargs -r kill 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# The newest window titled exactly $1, waiting up to ten seconds.
window() {
    local id i
    for i in $(seq 100); do
        id=$(xdotool search --name "^$1\$" 2>/dev/null | tail -1 || true)
        if [ -n "$id" ]; then
            sleep 0.3
            echo "$id"
            return
        fi
        sleep 0.1
    done
    echo "no window \"$1\" appeared" >&2
    exit 1
}

shoot() {  # window id, file name
    import -window "$1" "$out/$2"
    echo "$out/$2"
}

# The keyboard goes to the window under the pointer; the windows open in the screen's middle.
point_at_middle() { xdotool mousemove --sync 640 512; }

# Settings with a few rules, so that the list shows what it is for.
mkdir -p "$work/cfg"
printf '5\r\n3\r\n+Bip01*\r\n-*Nub\r\n-*Footsteps\r\n0\r\n1\r\n0\r\n0\r\n' >"$work/cfg/quellstone.ini"
run() {
    "$plughost" "$@" --gui --plugins "$plugins" --plugcfg "$work/cfg" 2>>"$work/log" &
    running=$!
}

run export "$scene" "$work/out.bon"
dialog=$(window "Bone Export Options")
point_at_middle
shoot "$dialog" gui-bone-options.png
xdotool key space  # the focus starts on "Add"
shoot "$(window "Add Rule")" gui-rule-editor.png
xdotool key Escape
sleep 0.3
xdotool key Escape
wait "$running" || true

run export "$scene" "$work/out.pos"
dialog=$(window "Bone Export Options")
point_at_middle
shoot "$dialog" gui-pose-options.png
xdotool key Escape
wait "$running" || true

run export "$scene" "$work/out.crs"
dialog=$(window "Course Export Options")
point_at_middle
shoot "$dialog" gui-course-options.png
# A node the scene does not have: the export says so in a message box. The focus starts in
# the name field.
xdotool type Nope
xdotool key Return
shoot "$(window "VTR Course Exporter")" gui-message-box.png
point_at_middle
xdotool key Return
wait "$running" || true

if "$plughost" list --plugins "$plugins" 2>/dev/null | grep -q "VTR Camera Renderer"; then
    run utility "VTR Camera Renderer" "$scene"
    shoot "$(window "plughost - sample.json")" gui-render-panel.png
    # The first signal only asks the host to cancel; the second ends it.
    kill "$running" 2>/dev/null || true
    sleep 0.2
    kill "$running" 2>/dev/null || true
    wait "$running" 2>/dev/null || true
else
    echo "the render utility is not built: no picture of its panel" >&2
fi
