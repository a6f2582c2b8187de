#!/usr/bin/env bash
# Saves pictures of the tool windows (numbered-element generator dialog, colour-slot window,
# screen colour picker, update window, the TYP Preview by day and night, the main window with the
# swatches of a TYP in its lists) as PNG files.
#   tools/screenshots_tools.sh [BUILD_DIR] [OUT_DIR]
# Runs the window tests' WindowShots cases. Under a real X display (or Xvfb, used when it is
# installed and no DISPLAY is set) the screen colour picker shows a real magnified view; on the
# offscreen platform it shows its note that the screen cannot be read.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
out=${2:-$here/screenshots}
tests=$build/bin/kestrel_gui_tests
if [[ ! -x $tests ]]; then
    echo "screenshots_tools: $tests not built (cmake --build $build --target kestrel_gui_tests)" >&2
    exit 1
fi
mkdir -p "$out"
run=("$tests" --gtest_filter='WindowShots.*')
if [[ -n ${DISPLAY:-} ]]; then
    QT_QPA_PLATFORM=xcb KESTREL_SHOT_DIR=$out "${run[@]}"
elif command -v xvfb-run >/dev/null; then
    QT_QPA_PLATFORM=xcb KESTREL_SHOT_DIR=$out xvfb-run -a -s "-screen 0 1280x1024x24" "${run[@]}"
else
    QT_QPA_PLATFORM=offscreen KESTREL_SHOT_DIR=$out "${run[@]}"
fi
ls "$out"/generator_dialog_*.png "$out"/colour_slot_window.png "$out"/screen_colour_picker.png \
    "$out"/update_window.png "$out"/legend_preview_day.png "$out"/legend_preview_night.png \
    "$out"/main_with_swatches.png
