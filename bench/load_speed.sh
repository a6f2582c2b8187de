#!/usr/bin/env bash
# Times a batch load of a 1 GiB map (a real mkgmap tile padded with zeros), plain and XOR-masked,
# against `cat MAP >/dev/null`: whole processes, warm cache, with hyperfine. The commands take
# turns in short rounds, so that the other work on a shared machine weighs on each alike; the
# medians over all rounds and their ratios to `cat` are printed, wall and processor time, with
# the peak resident memory.
#   bench/load_speed.sh BUILD_DIR [ROUNDS] [BEFORE_BIN_DIR]
# BEFORE_BIN_DIR: another build's bin folder (say, the main branch's) timed in the same run.
# The two maps are made in $KESTREL_BIG_MAPS (default /tmp/kestrel-1gib-map) and reused.
set -euo pipefail

cli=$(cd "$1" && pwd)/bin/kestrel-cli
rounds=${2:-5}
before=${3:+$(cd "$3" && pwd)/kestrel-cli}
work=${KESTREL_BIG_MAPS:-/tmp/kestrel-1gib-map}
tile=$(dirname "$0")/../../shared/fixtures/public/ext_basic/63240201.img
for c in "$cli" $before; do [ -x "$c" ] || { echo "no $c" >&2; exit 1; }; done
[ -c /dev/null ] || { echo "/dev/null is not the null device" >&2; exit 1; }

mkdir -p "$work"
for key in 0 75; do # 75 = 0x4B
    map=$work/map_$key.img
    [ -f "$map" ] && continue
    [ -f "$tile" ] || { echo "no $tile" >&2; exit 1; }
    python3 - "$tile" "$map" "$key" <<'EOF'
import sys
tile, out, key = open(sys.argv[1], 'rb').read(), sys.argv[2], int(sys.argv[3])
block = bytes([key]) * (1 << 20)
with open(out, 'wb') as f:
    f.write(bytes(b ^ key for b in tile) + block[len(tile):])
    for _ in range(1023):
        f.write(block)
EOF
done

echo "load average $(cut -d' ' -f1-3 /proc/loadavg) before"
for key in 0 75; do
    map=$work/map_$key.img
    label=$([ "$key" = 0 ] && echo plain || echo masked)
    commands=("cat $map" "$cli scan $map")
    [ -n "$before" ] && commands+=("$before scan $map")
    for round in $(seq "$rounds"); do
        # Its warnings about a busy machine go to the log; it is shown when a command failed.
        hyperfine -N --style none --warmup 1 --runs 3 --export-json "$work/round_$round.json" \
            "${commands[@]}" >"$work/hyperfine.log" 2>&1 || { cat "$work/hyperfine.log" >&2; exit 1; }
    done
    rss=()
    for c in "$cli" $before; do rss+=("$(/usr/bin/time -f %M "$c" scan "$map" 2>&1 >/dev/null | tail -1)"); done
    python3 - "$label" "${rss[*]}" "$work"/round_*.json <<'EOF'
import json, statistics, sys
label, rss, files = sys.argv[1], [int(k) for k in sys.argv[2].split()], sys.argv[3:]
names = ['cat', 'load', 'before']
wall, cpu = {}, {}  # every run's wall time; each round's mean processor time (user + system)
for f in files:
    for name, r in zip(names, json.load(open(f))['results']):
        wall.setdefault(name, []).extend(r['times'])
        cpu.setdefault(name, []).append(r['user'] + r['system'])
med = {n: (statistics.median(wall[n]), statistics.median(cpu[n])) for n in wall}
for n, (w, c) in med.items():
    print(f"{label:6} {n:6} wall {w * 1e3:7.1f} ms (median of {len(wall[n])}), ratio {w / med['cat'][0]:.2f}"
          f" | cpu {c * 1e3:6.1f} ms, ratio {c / med['cat'][1]:.2f}")
for n, kib in zip(names[1:], rss):
    print(f"{label:6} {n:6} peak RSS {kib / 1024:.1f} MiB")
EOF
    rm -f "$work"/round_*.json "$work/hyperfine.log"
done
echo "load average $(cut -d' ' -f1-3 /proc/loadavg) after"
