#!/usr/bin/env bash
# Times the complete scan as users run it, `kestrel-cli scan --complete --json MAP`, against
# `cat MAP >/dev/null` on a gmapsupp.img of nine dense tiles (about 50 MB) made by mkgmap from
# generated sources (bench/big_gmapsupp.sh): whole processes, warm cache, with hyperfine (see
# bench/against_cat.sh).
#   bench/complete_scan_speed.sh BUILD_DIR [ROUNDS] [OTHER_BIN_DIR]
# OTHER_BIN_DIR: another build's bin folder (say, the main branch's) timed in the same run.
# The map is made in $KESTREL_BIG_MAPS (default /tmp/kestrel-scan-maps) on the first run, which
# takes a few minutes, and reused afterwards; it is never committed.
set -euo pipefail

cli=$(cd "$1" && pwd)/bin/kestrel-cli
rounds=${2:-10}
other=${3:+$(cd "$3" && pwd)/kestrel-cli}
here=$(cd "$(dirname "$0")" && pwd)
map=${KESTREL_BIG_MAPS:-/tmp/kestrel-scan-maps}/gmapsupp_9.img
for c in "$cli" $other; do [ -x "$c" ] || { echo "no $c" >&2; exit 1; }; done
# shellcheck source=bench/against_cat.sh
. "$here/against_cat.sh"

"$here/big_gmapsupp.sh" "$map" 9
args=(scan "$cli scan --complete --json")
[ -n "$other" ] && args+=(other "$other scan --complete --json")
echo "map $(($(stat -c %s "$map") / 1000000)) MB; load average $(cut -d' ' -f1-3 /proc/loadavg)"
against_cat complete "$rounds" "$map" "${args[@]}"
