#!/usr/bin/env bash
# Recompiles the TYP texts under tests/data/typ/ with mkgmap (Debian package "mkgmap"), which is
# the reference for the binary layout: each NAME.txt becomes NAME.typ beside it, compiled in the
# code page its [_id] names. The TYP texts kestrel's `typ` writes for the golden rows
# (tests/data/golden/typ_*.out.txt) are compiled the same way into tests/data/typ/written/. mkgmap
# stamps the compile time into the header, so a rebuild changes those bytes only. Run from
# anywhere:
#   tools/build_typ_golden.sh
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
data=$repo/tests/data/typ
command -v mkgmap >/dev/null || { echo "mkgmap not found (apt-get install mkgmap)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# compile TEXT OUT: mkgmap's compilation of the text in the code page its [_id] names (a text
# in UTF-16 too).
compile() {
    local name codepage
    name=$(basename "$1" .txt)
    codepage=$(tr -d '\0' <"$1" | grep -a -o -m1 'CodePage=[0-9]*' | cut -d= -f2)
    (cd "$work" && cp "$1" "$name.txt" && mkgmap --code-page="$codepage" "$name.txt" \
        >"$name.log" 2>&1) || {
        cat "$work/$name.log" >&2
        exit 1
    }
    cp "$work/$name.typ" "$2"
}

for text in "$data"/*.txt; do
    compile "$text" "$data/$(basename "$text" .txt).typ"
done
mkdir -p "$data/written"
for text in "$repo"/tests/data/golden/typ_*.out.txt; do
    grep -q '^\[_id\]' "$text" || continue
    compile "$text" "$data/written/$(basename "$text" .out.txt).typ"
done
