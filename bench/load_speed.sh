#!/usr/bin/env bash
# Times `kestrel-cli scan -q` against `cat MAP >/dev/null` on maps like users' (whole processes,
# warm cache, hyperfine; see bench/against_cat.sh):
#   - a 1 GiB map: a real mkgmap tile followed by pseudo-random bytes from a fixed seed, plain and
#     XOR-masked with 0x4B (real map data holds a "G" about every 256 bytes, as random bytes do);
#   - a real mkgmap gmapsupp.img of about 220 MB from generated sources (bench/big_gmapsupp.sh),
#     which is searched to its end for an NT map's signature that it lacks.
#   bench/load_speed.sh BUILD_DIR [ROUNDS] [OTHER_BIN_DIR]
# OTHER_BIN_DIR: another build's bin folder (say, the main branch's) timed in the same run.
# The maps are made in $KESTREL_BIG_MAPS (default /tmp/kestrel-scan-maps) and reused; the
# gmapsupp takes about a quarter of an hour the first time.
set -euo pipefail

cli=$(cd "$1" && pwd)/bin/kestrel-cli
rounds=${2:-5}
other=${3:+$(cd "$3" && pwd)/kestrel-cli}
here=$(cd "$(dirname "$0")" && pwd)
work=${KESTREL_BIG_MAPS:-/tmp/kestrel-scan-maps}
tile=$here/../../shared/fixtures/public/ext_basic/63240201.img
for c in "$cli" $other; do [ -x "$c" ] || { echo "no $c" >&2; exit 1; }; done
[ -c /dev/null ] || { echo "/dev/null is not the null device" >&2; exit 1; }
# shellcheck source=bench/against_cat.sh
. "$here/against_cat.sh"

mkdir -p "$work"
for key in 0 75; do # 75 = 0x4B
    map=$work/random_$key.img
    [ -f "$map" ] && continue
    [ -f "$tile" ] || { echo "no $tile" >&2; exit 1; }
    python3 - "$tile" "$map.part" "$key" <<'EOF'
import random, sys
tile, out, key = open(sys.argv[1], 'rb').read(), sys.argv[2], int(sys.argv[3])
mask = bytes(b ^ key for b in range(256))
rnd = random.Random(18)
with open(out, 'wb') as f:
    f.write(tile.translate(mask))
    left = (1 << 30) - len(tile)
    while left:
        n = min(left, 1 << 20)
        f.write(rnd.randbytes(n).translate(mask))
        left -= n
EOF
    mv "$map.part" "$map"
done
"$here/big_gmapsupp.sh" "$work/gmapsupp_40.img" 40

echo "load average $(cut -d' ' -f1-3 /proc/loadavg) before"
for map in random_0 random_75 gmapsupp_40; do
    label=$(case $map in random_0) echo plain ;; random_75) echo masked ;; *) echo gmapsupp ;; esac)
    args=(scan "$cli scan -q")
    [ -n "$other" ] && args+=(other "$other scan -q")
    against_cat "$label" "$rounds" "$work/$map.img" "${args[@]}"
done
echo "load average $(cut -d' ' -f1-3 /proc/loadavg) after"
