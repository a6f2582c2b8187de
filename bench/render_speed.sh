#!/usr/bin/env bash
# Times the map picture as users make it, `kestrel-cli render --size 2000x2000` of the finest
# level, against `cat MAP >/dev/null` on the 50 MB gmapsupp.img of nine dense tiles that
# bench/complete_scan_speed.sh uses (bench/big_gmapsupp.sh makes it on the first run): whole
# processes, warm cache, with hyperfine (see bench/against_cat.sh). Two pictures: the first tile
# fitted (the default), and every tile (--whole-map). Then, where ../shared/fixtures/public is,
# the pictures of its two real tiles of a public map (one with its own TYP), against the same cat:
# what a big map of such tiles would take for its first tile. Two rows show what no map's shapes
# can take away: a 10 x 10 picture of the first tile (reading its shapes, drawing nearly nothing)
# and a 2000 x 2000 picture of the smallest test map (a picture and its PNG, nearly no shapes).
#   bench/render_speed.sh BUILD_DIR [ROUNDS]
set -euo pipefail

cli=$(cd "$1" && pwd)/bin/kestrel-cli
rounds=${2:-10}
here=$(cd "$(dirname "$0")" && pwd)
map=${KESTREL_BIG_MAPS:-/tmp/kestrel-scan-maps}/gmapsupp_9.img
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
[ -x "$cli" ] || { echo "no $cli" >&2; exit 1; }
# shellcheck source=bench/against_cat.sh
. "$here/against_cat.sh"

"$here/big_gmapsupp.sh" "$map" 9
echo "map $(($(stat -c %s "$map") / 1000000)) MB; load average $(cut -d' ' -f1-3 /proc/loadavg)"
against_cat render "$rounds" "$map" \
    tile "$cli render -q --force --size 2000x2000 -o $out/tile.png" \
    tile-10px "$cli render -q --force --size 10x10 -o $out/small.png" \
    whole "$cli render -q --force --whole-map --size 2000x2000 -o $out/whole.png"
against_cat_whole "no shapes" "$rounds" "$map" \
    picture "$cli render -q --force --size 2000x2000 -o $out/empty.png $here/../tests/fixtures/maps/geometry/63240101.img"
real=$here/../../shared/fixtures/public/third-party
if [ -d "$real" ]; then
    against_cat_whole "real tiles" "$rounds" "$map" \
        plain "$cli render -q --force --size 2000x2000 -o $out/plain.png $real/imgforge_latest_tile.img" \
        own-typ "$cli render -q --force --size 2000x2000 -o $out/typ.png $real/mkgmap_reference_WORKS.img"
fi
