#!/usr/bin/env bash
# Times `kestrel-cli compile` against mkgmap's TYP compiler on the same text: whole processes, warm
# cache, with hyperfine. The text is mapnik.txt, the largest real TYP text (../shared/typ/texts),
# or the file given. Both compile with the same code page, family ID and product. The commands take
# turns in short rounds; the medians over all rounds and the ratio kestrel / mkgmap are printed.
#   bench/compile_speed.sh BUILD_DIR [ROUNDS] [TEXT]
set -euo pipefail

cli=$(cd "$1" && pwd)/bin/kestrel-cli
rounds=${2:-5}
text=${3:-$(cd "$(dirname "$0")/../../shared/typ/texts" && pwd)/mapnik.txt}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
[ -x "$cli" ] || { echo "no $cli" >&2; exit 1; }
command -v mkgmap >/dev/null || { echo "no mkgmap" >&2; exit 1; }
command -v hyperfine >/dev/null || { echo "no hyperfine" >&2; exit 1; }

ls -l "$text" | awk '{print "text", $5, "bytes", $NF}'
echo "load average $(cut -d' ' -f1-3 /proc/loadavg) before"
commands=("$cli compile -q $text --codepage 1252 --fid 1234 --product 1 --force -o $work/kestrel.typ"
          "mkgmap --code-page=1252 --family-id=1234 --product-id=1 --output-dir=$work $text")
for round in $(seq "$rounds"); do
    hyperfine -N --style none --warmup 1 --runs 3 --export-json "$work/round_$round.json" \
        "${commands[@]}" >"$work/hyperfine.log" 2>&1 || { cat "$work/hyperfine.log" >&2; exit 1; }
done
python3 - "$work"/round_*.json <<'PY'
import json, statistics, sys
wall = {}
for f in sys.argv[1:]:
    for name, r in zip(['kestrel', 'mkgmap'], json.load(open(f))['results']):
        wall.setdefault(name, []).extend(r['times'])
med = {n: statistics.median(t) for n, t in wall.items()}
for n, w in med.items():
    print(f"compile {n:8} wall {w * 1e3:8.1f} ms (median of {len(wall[n])})")
print(f"compile kestrel / mkgmap {med['kestrel'] / med['mkgmap']:.3f} (goal at most 0.1)")
PY
echo "load average $(cut -d' ' -f1-3 /proc/loadavg) after"
