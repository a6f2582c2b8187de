#!/usr/bin/env bash
# Times `kestrel-cli scan` of a map whose extended point section holds 65,536 labelled records
# (8,192 distinct codes, the most mkgmap writes) against `sort -u` of the list the scan prints:
# whole processes, warm cache, in the same run. The labelling (`match`) of the 8,192 entries is
# what grows with the list. Prints hyperfine's median wall times and mean processor times (user +
# system, which other load on the machine disturbs less) and their ratios.
#   bench/match_speed.sh BUILD_DIR [WORK_DIR]
# The map is made in WORK_DIR (default /tmp/kestrel-match-map) on the first run and reused; it is
# never committed.
set -euo pipefail

build=$(cd "$1" && pwd)
work=${2:-/tmp/kestrel-match-map}
here=$(cd "$(dirname "$0")" && pwd)
cli=$build/bin/kestrel-cli
map=$work/63249001.img
[ -x "$cli" ] || { echo "no $cli" >&2; exit 1; }
command -v hyperfine >/dev/null || { echo "hyperfine not found" >&2; exit 1; }

if [ ! -f "$map" ]; then
    command -v mkgmap >/dev/null || { echo "mkgmap not found" >&2; exit 1; }
    mkdir -p "$work"
    python3 "$here/extended_poi_source.py" 65536 >"$work/extended_pois.mp"
    (cd "$work" && mkgmap --mapname=63249001 extended_pois.mp >mkgmap.log 2>&1) || {
        tail "$work/mkgmap.log" >&2
        exit 1
    }
fi

"$cli" scan "$map" >"$work/list.txt"
echo "list: $(grep -c '^0x' "$work/list.txt") entries"
hyperfine -N --warmup 5 --runs 60 --export-json "$work/times.json" \
    "$cli scan $map" "sort -u $work/list.txt" >/dev/null
python3 - "$work/times.json" <<'PY'
import json, sys
scan, sort = json.load(open(sys.argv[1]))["results"]
cpu = lambda r: r["user"] + r["system"]
print("scan     %.1f ms wall (median), %.1f ms processor (mean)" % (scan["median"] * 1e3, cpu(scan) * 1e3))
print("sort -u  %.1f ms wall (median), %.1f ms processor (mean)" % (sort["median"] * 1e3, cpu(sort) * 1e3))
print("ratio    %.2f wall, %.2f processor (target at most 3)" % (scan["median"] / sort["median"], cpu(scan) / cpu(sort)))
PY
