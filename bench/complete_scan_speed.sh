#!/usr/bin/env bash
# Times the complete scan of a map of about 50 MB, made by mkgmap from generated sources, against
# `cat` of the same file: whole processes, warm cache, alternating in the same run. Prints the
# median times, their ratio, and the scan's peak resident memory beyond the file's size (the
# mapped file's pages count into it).
#   bench/complete_scan_speed.sh BUILD_DIR [WORK_DIR]
# The map (a gmapsupp of nine tiles) is made in WORK_DIR (default /tmp/kestrel-big-map) on the
# first run, which takes a few minutes, and reused afterwards; it is never committed.
set -euo pipefail

build=$(cd "$1" && pwd)
work=${2:-/tmp/kestrel-big-map}
here=$(cd "$(dirname "$0")" && pwd)
scan=$build/bin/kestrel_complete_scan
map=$work/gmapsupp.img
[ -x "$scan" ] || { echo "no $scan (build the bench targets)" >&2; exit 1; }

if [ ! -f "$map" ]; then
    command -v mkgmap >/dev/null || { echo "mkgmap not found" >&2; exit 1; }
    mkdir -p "$work"
    for tile in 0 1 2 3 4 5 6 7 8; do
        python3 "$here/big_map_source.py" "$tile" 2 >"$work/tile_$tile.mp"
    done
    (cd "$work" && mkgmap --gmapsupp tile_*.mp >mkgmap.log 2>&1) || {
        tail "$work/mkgmap.log" >&2
        exit 1
    }
    find "$work" -mindepth 1 ! -name gmapsupp.img -delete
fi

size=$(stat -c %s "$map")
notes=$("$scan" "$map" 2>/dev/null | grep -c '^note:' || true)
cat "$map" >/dev/null # warm the cache

# Microseconds of wall time, read without starting a process.
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
cats=()
scans=()
for _ in $(seq 15); do
    t=${EPOCHREALTIME/./}
    cat "$map" >/dev/null
    cats+=($((${EPOCHREALTIME/./} - t)))
    t=${EPOCHREALTIME/./}
    "$scan" "$map" >/dev/null 2>&1
    scans+=($((${EPOCHREALTIME/./} - t)))
done
cat_us=$(printf '%s\n' "${cats[@]}" | median)
scan_us=$(printf '%s\n' "${scans[@]}" | median)
rss_kib=$("$scan" "$map" 2>&1 >/dev/null | awk '/peak_rss_kib/ { print $2 }')

awk -v size="$size" -v c="$cat_us" -v s="$scan_us" -v rss="$rss_kib" -v notes="$notes" 'BEGIN {
    printf "map            %.1f MB, %d notes\n", size / 1e6, notes
    printf "cat            %.1f ms (median of 15)\n", c / 1e3
    printf "complete scan  %.1f ms (median of 15)\n", s / 1e3
    printf "ratio          %.2f (target at most 3)\n", s / c
    printf "peak RSS       %.1f MiB, %.1f MiB beyond the file (target at most 64)\n",
        rss / 1024, (rss * 1024 - size) / 1048576
}'
