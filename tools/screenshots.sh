#!/usr/bin/env bash
# Screenshots of the desktop program for the documentation: starts kestrel under a virtual X
# server with the bundled sample map loaded and saves main.png, settings.png and filename.png.
# Usage: tools/screenshots.sh OUTDIR [BUILDDIR]
set -euo pipefail
if [ $# -lt 1 ]; then
    echo "usage: $0 OUTDIR [BUILDDIR]" >&2
    exit 2
fi
out=$(realpath -m "$1")
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${2:-$root/build}")
program="$build/bin/kestrel"
sample="$build/bin/test.img"
for f in "$program" "$sample"; do
    if [ ! -e "$f" ]; then
        echo "missing $f: build the project first (cmake --build $build)" >&2
        exit 1
    fi
done
command -v xvfb-run >/dev/null || { echo "xvfb-run is needed (package xvfb)" >&2; exit 1; }
mkdir -p "$out"
# A copy of the program folder keeps the run's state file away from the build tree.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$build/bin/system" "$program" "$sample" "$work/"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
xvfb-run -a -s "-screen 0 1280x900x24" "$work/kestrel" --screenshot-dir "$out" "$work/test.img"
ls "$out"/main.png "$out"/settings.png "$out"/filename.png
