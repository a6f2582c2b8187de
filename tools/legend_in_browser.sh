#!/usr/bin/env bash
# The legend page in a real browser: writes the legend of the sample map's TYP text beside the map
# as HTML and takes a screenshot of it with headless Chromium, which may reach no address at all
# (every name resolves to nothing), so that the page shows only what it holds. Look at the picture.
# Usage: tools/legend_in_browser.sh [BUILD_DIR] [OUT_DIR]   (needs the package chromium)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build}")
out=$(realpath -m "${2:-.}")
cli="$build/bin/kestrel-cli"
sample="$build/bin/test.img"
[ -x "$cli" ] || { echo "missing $cli: build the project first" >&2; exit 1; }
browser=$(command -v chromium || command -v chromium-browser || true)
[ -n "$browser" ] || { echo "chromium is needed (apt-get install chromium)" >&2; exit 1; }
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$cli" -q typ --seed 1 -o "$work/sample.txt" "$sample"
"$cli" legend "$work/sample.txt" --map "$sample" -o "$out/legend.html"
# The page must need nothing from elsewhere: no script, no address.
if grep -Eq '<script|://' "$out/legend.html"; then
    echo "legend.html loads from elsewhere" >&2
    exit 1
fi
"$browser" --headless --no-sandbox --disable-gpu --hide-scrollbars --user-data-dir="$work/profile" \
    --host-resolver-rules='MAP * ~NOTFOUND' --window-size=1000,1800 \
    --screenshot="$out/legend_html.png" "file://$out/legend.html" 2>"$work/browser.log" || {
    cat "$work/browser.log" >&2
    exit 1
}
ls "$out/legend.html" "$out/legend_html.png"
