#!/usr/bin/env bash
# Recompiles the TYP texts under tests/data/typ/ with mkgmap (Debian package "mkgmap"), which is
# the reference for the binary layout: each NAME.txt becomes NAME.typ beside it, compiled in the
# code page its [_id] names. mkgmap stamps the compile time into the header, so a rebuild changes
# those bytes only. Run from anywhere:
#   tools/build_typ_golden.sh
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
data=$repo/tests/data/typ
command -v mkgmap >/dev/null || { echo "mkgmap not found (apt-get install mkgmap)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for text in "$data"/*.txt; do
    name=$(basename "$text" .txt)
    codepage=$(grep -a -o -m1 'CodePage=[0-9]*' "$text" | cut -d= -f2)
    (cd "$work" && mkgmap --code-page="$codepage" "$text" >"$name.log" 2>&1) || {
        cat "$work/$name.log" >&2
        exit 1
    }
    cp "$work/$name.typ" "$data/$name.typ"
done
