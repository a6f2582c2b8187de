#!/usr/bin/env bash
# Times the map picture as users make it, `kestrel-cli render --size 2000x2000` of the finest
# level, against `cat MAP >/dev/null` on the 50 MB gmapsupp.img of nine dense tiles that
# bench/complete_scan_speed.sh uses (bench/big_gmapsupp.sh makes it on the first run): whole
# processes, warm cache, with hyperfine (see bench/against_cat.sh). Two pictures: the first tile
# fitted (the default), and every tile (--whole-map). Then, where ../shared/fixtures/public is,
# the pictures of its two real tiles of a public map (one with its own TYP), against the same cat:
# what a big map of such tiles would take for its first tile.
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
    whole "$cli render -q --force --whole-map --size 2000x2000 -o $out/whole.png"
real=$here/../../shared/fixtures/public/third-party
if [ -d "$real" ]; then
    against_cat_whole "real tiles" "$rounds" "$map" \
        plain "$cli render -q --force --size 2000x2000 -o $out/plain.png $real/imgforge_latest_tile.img" \
        own-typ "$cli render -q --force --size 2000x2000 -o $out/typ.png $real/mkgmap_reference_WORKS.img"
fi
