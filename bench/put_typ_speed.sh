#!/usr/bin/env bash
# Times `kestrel-cli put-typ` on a 1 GiB gmapsupp.img, plain and XOR-masked, against `cp` of the
# same map: whole processes, warm cache, with hyperfine. The commands take turns in short rounds,
# so that the other work on a shared machine weighs on each alike; the medians over all rounds
# and their ratios to `cp` are printed, with the peak resident memory.
#   bench/put_typ_speed.sh BUILD_DIR [ROUNDS]
# The map is a real one, made by mkgmap: the two tiles of tests/fixtures/maps/two_tiles, their TYP
# (kestrel's text for them, compiled by mkgmap) and a second TYP padded to 1 GiB with
# pseudo-random bytes of a fixed seed, whose family ID is then set to another family's (mkgmap
# gives every TYP the map's, in a copy named xNAME.typ). put-typ replaces the small TYP and copies the rest. Everything is
# made in $KESTREL_BIG_MAPS (default /tmp/kestrel-put-typ) and reused.
set -euo pipefail

cli=$(cd "$1" && pwd)/bin/kestrel-cli
rounds=${2:-5}
repo=$(cd "$(dirname "$0")/.." && pwd)
work=${KESTREL_BIG_MAPS:-/tmp/kestrel-put-typ}
[ -x "$cli" ] || { echo "no $cli" >&2; exit 1; }
command -v mkgmap >/dev/null || { echo "mkgmap not found (apt-get install mkgmap)" >&2; exit 1; }

mkdir -p "$work"
if [ ! -f "$work/map_0.img" ]; then
    build=$work/build
    rm -rf "$build" && mkdir -p "$build"
    tiles=("$repo"/tests/fixtures/maps/two_tiles/tile_{a,b}.mp)
    # compile NAME FID: kestrel's text for the tiles compiled by mkgmap into $build/NAME.typ.
    compile() {
        "$cli" typ -q --fid "$2" --product 1 -o "$build/$1.txt" \
            "$repo/tests/fixtures/maps/two_tiles/gmapsupp.img"
        (cd "$build" && mkgmap --code-page=1252 "$1.txt" >>mkgmap.log 2>&1)
    }
    compile small 6325
    compile pad 6325
    compile new 1
    python3 - "$build/pad.typ" <<'PAD'
import random, sys
rnd = random.Random(17)
with open(sys.argv[1], 'ab') as f:
    for _ in range(1024):
        f.write(rnd.randbytes(1 << 20))
PAD
    (cd "$build" && mkgmap --mapname=63240031 --family-id=6325 --product-id=2 --gmapsupp \
        "${tiles[@]}" small.typ pad.typ >>mkgmap.log 2>&1) || { cat "$build/mkgmap.log" >&2; exit 1; }
    # The padded TYP's family ID in its header, at 0x2F of its first block.
    python3 - "$build/gmapsupp.img" <<'FAMILY'
import struct, sys
with open(sys.argv[1], 'r+b') as f:
    head = f.read(0x200)
    block = 1 << (head[0x61] + head[0x62])
    f.seek(0x400)
    while True:
        entry = f.read(512)
        if entry[0] == 0:
            sys.exit('no padded TYP')
        if entry[9:12] == b'TYP' and entry[1:9].endswith(b'PAD'):
            f.seek(struct.unpack_from('<H', entry, 0x20)[0] * block + 0x2F)
            f.write(struct.pack('<H', 9999))
            break
FAMILY
    mv "$build/gmapsupp.img" "$work/map_0.img"
    mv "$build/new.typ" "$work/new.typ"
    perl -e 'binmode STDIN; binmode STDOUT; $/ = \1048576; while (<STDIN>) { print $_ ^ (chr(0x4B) x length) }' \
        <"$work/map_0.img" >"$work/map_75.img"
    rm -rf "$build"
fi

echo "load average $(cut -d' ' -f1-3 /proc/loadavg) before"
for key in 0 75; do
    map=$work/map_$key.img
    label=$([ "$key" = 0 ] && echo plain || echo masked)
    commands=("cp $map $work/copy.img" "$cli put-typ -q --force $map $work/new.typ -o $work/out.img")
    for round in $(seq "$rounds"); do
        hyperfine -N --style none --warmup 1 --runs 3 --export-json "$work/round_$round.json" \
            "${commands[@]}" >"$work/hyperfine.log" 2>&1 || { cat "$work/hyperfine.log" >&2; exit 1; }
    done
    rss=$(/usr/bin/time -f %M "$cli" put-typ -q --force "$map" "$work/new.typ" -o "$work/out.img" 2>&1 | tail -1)
    python3 - "$label" "$rss" "$work"/round_*.json <<'REPORT'
import json, statistics, sys
label, rss, files = sys.argv[1], int(sys.argv[2]), sys.argv[3:]
names = ['cp', 'put-typ']
wall, cpu = {}, {}  # every run's wall time; each round's mean processor time (user + system)
for f in files:
    for name, r in zip(names, json.load(open(f))['results']):
        wall.setdefault(name, []).extend(r['times'])
        cpu.setdefault(name, []).append(r['user'] + r['system'])
med = {n: (statistics.median(wall[n]), statistics.median(cpu[n])) for n in wall}
for n, (w, c) in med.items():
    print(f"{label:6} {n:7} wall {w * 1e3:7.1f} ms (median of {len(wall[n])}), "
          f"ratio {w / med['cp'][0]:.2f} | cpu {c * 1e3:6.1f} ms, ratio {c / med['cp'][1]:.2f}")
print(f"{label:6} put-typ peak RSS {rss / 1024:.1f} MiB")
REPORT
    rm -f "$work"/round_*.json "$work/hyperfine.log" "$work/copy.img" "$work/out.img"
done
echo "load average $(cut -d' ' -f1-3 /proc/loadavg) after"
