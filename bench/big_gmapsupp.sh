#!/usr/bin/env bash
# Makes a gmapsupp.img of dense generated tiles with mkgmap, unless it is there already.
#   bench/big_gmapsupp.sh OUT_FILE TILES [SCALE]
# TILES tiles of bench/big_map_source.py at SCALE (default 2, about 5.5 MB a tile). Nine tiles
# take a few minutes, forty about a quarter of an hour. The map is never committed.
set -euo pipefail

out=$1
tiles=$2
scale=${3:-2}
here=$(cd "$(dirname "$0")" && pwd)
[ -f "$out" ] && exit 0
command -v mkgmap >/dev/null || { echo "mkgmap not found" >&2; exit 1; }
mkdir -p "$(dirname "$out")"
work=$(mktemp -d "${out}.XXXXXX")
trap 'rm -rf "$work"' EXIT
for tile in $(seq 0 $((tiles - 1))); do
    python3 "$here/big_map_source.py" "$tile" "$scale" >"$work/tile_$tile.mp"
done
(cd "$work" && mkgmap --gmapsupp tile_*.mp >mkgmap.log 2>&1) || {
    tail "$work/mkgmap.log" >&2
    exit 1
}
mv "$work/gmapsupp.img" "$out"
