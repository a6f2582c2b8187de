#!/usr/bin/env bash
# Times `kestrel-cli decompile` of a binary TYP against `kestrel-cli compile` of the text it came
# from: whole processes, warm cache, with hyperfine, on two files: mkgmap's compilation of
# mapnik.txt (the largest real TYP text, ../shared/typ/texts) and a larger one made here (every
# standard type and subtype and some extended ones, with labels in three languages, patterns and
# icons in 16 and 256 colours and true colour, random as users' are not). Where this build has no
# `compile`, mkgmap's compile of the same text is the baseline. The commands take turns in short
# rounds; the medians over all rounds and the ratio decompile / compile are printed.
#   bench/decompile_speed.sh BUILD_DIR [ROUNDS]
# The large text and its binary are made in $KESTREL_TYP_BENCH (default /tmp/kestrel-typ-bench).
set -euo pipefail

cli=$(cd "$1" && pwd)/bin/kestrel-cli
rounds=${2:-5}
work=${KESTREL_TYP_BENCH:-/tmp/kestrel-typ-bench}
texts=$(cd "$(dirname "$0")/../../shared/typ/texts" && pwd)
[ -x "$cli" ] || { echo "no $cli" >&2; exit 1; }
mkdir -p "$work"

if "$cli" compile --help >/dev/null 2>&1; then
    compiler=kestrel
    compile() { echo "$cli compile $1 --codepage $2 --fid 1234 --product 1 --force -o $work/compiled.typ"; }
else
    compiler=mkgmap
    command -v mkgmap >/dev/null || { echo "neither kestrel-cli compile nor mkgmap" >&2; exit 1; }
    compile() { echo "mkgmap --code-page=$2 --family-id=1234 --product-id=1 --output-dir=$work $1"; }
fi

big=$work/large.txt
if [ ! -f "$work/large.typ" ]; then
    python3 - "$big" <<'EOF'
import random, sys
random.seed(17)
tags = '0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz'
words = ['Wald', 'Forest', 'Foret', 'Weg', 'Path', 'Chemin', 'See', 'Lake', 'Lac', 'Haus']
def colour(): return '#%06X' % random.randrange(1 << 24)
def labels():
    return ''.join(f'String{k + 1}=0x{lang:02X},{random.choice(words)} {random.randrange(1000)}\n'
                   for k, lang in enumerate((4, 2, 1)))
def palette_xpm(key, w, h, n):
    t = [tags[i // len(tags)] + tags[i % len(tags)] for i in range(n)] if n > len(tags) else list(tags[:n])
    s = f'{key}="{w} {h} {n} {len(t[0])}"\n' + ''.join(f'"{c} c {colour()}"\n' for c in t)
    return s + ''.join('"' + ''.join(random.choice(t) for _ in range(w)) + '"\n' for _ in range(h))
def pattern(rows): return ''.join('"' + ''.join(random.choice('#.') for _ in range(32)) + '"\n' for _ in range(rows))
out = ['[_id]\nFID=1234\nProductCode=1\nCodePage=1252\n[end]\n[_drawOrder]\n']
out += [f'Type=0x{t:02x},{1 + t % 8}\n' for t in range(1, 0x80)] + ['[end]\n']
codes = [f'0x{t:02X}{s:02X}' for t in range(1, 0x80) for s in range(0, 32, 2)]
codes += [f'0x1{t:02X}{s:02X}' for t in range(0, 0x40) for s in range(0, 32, 4)]
for code in codes:
    out.append(f'[_polygon]\nType={code}\n{labels()}Xpm="32 32 2 1"\n"# c {colour()}"\n". c {colour()}"\n{pattern(32)}[end]\n')
    out.append(f'[_line]\nType={code}\n{labels()}Xpm="32 3 2 1"\n"# c {colour()}"\n". c none"\n{pattern(3)}[end]\n')
    kind = random.randrange(3)
    if kind == 0: icon = palette_xpm('DayXpm', 24, 24, 16)
    elif kind == 1: icon = palette_xpm('DayXpm', 32, 32, 200)
    else: icon = 'DayXpm="20 20 0 0"\n' + ''.join('"' + ''.join(colour() for _ in range(20)) + '"\n' for _ in range(20))
    out.append(f'[_point]\nType={code}\n{labels()}FontStyle=SmallFont\n{icon}[end]\n')
open(sys.argv[1], 'w').write(''.join(out))
EOF
    (cd "$work" && mkgmap --code-page=1252 --family-id=1234 --product-id=1 "$big" >/dev/null 2>&1)
fi
ls -l "$texts/mapnik.mkgmap.typ" "$work/large.typ" | awk '{print "input", $5, "bytes", $NF}'

echo "load average $(cut -d' ' -f1-3 /proc/loadavg) before; baseline: $compiler compile"
for pair in "$texts/mapnik.txt:$texts/mapnik.mkgmap.typ" "$big:$work/large.typ"; do
    text=${pair%%:*}
    typ=${pair#*:}
    commands=("$cli decompile -q --force $typ -o $work/decompiled.txt" "$(compile "$text" 1252)")
    for round in $(seq "$rounds"); do
        hyperfine -N --style none --warmup 1 --runs 3 --export-json "$work/round_$round.json" \
            "${commands[@]}" >"$work/hyperfine.log" 2>&1 || { cat "$work/hyperfine.log" >&2; exit 1; }
    done
    python3 - "$(basename "$typ")" "$work"/round_*.json <<'EOF'
import json, statistics, sys
wall = {}
for f in sys.argv[2:]:
    for name, r in zip(['decompile', 'compile'], json.load(open(f))['results']):
        wall.setdefault(name, []).extend(r['times'])
med = {n: statistics.median(t) for n, t in wall.items()}
for n, w in med.items():
    print(f"{sys.argv[1]:18} {n:9} wall {w * 1e3:8.1f} ms (median of {len(wall[n])})")
print(f"{sys.argv[1]:18} decompile / compile {med['decompile'] / med['compile']:.2f}")
EOF
    rm -f "$work"/round_*.json "$work/hyperfine.log"
done
echo "load average $(cut -d' ' -f1-3 /proc/loadavg) after"
