#!/usr/bin/env python3
"""Compares the colours of two pictures of one map tile: QMapShack's and kestrel's.

    colour_shares.py box TYP.txt QMS.png CROP.png     crops QMapShack's picture to the tile (the box
                                                     of the pixels in the TYP's colours but white
                                                     and black), prints WxH
    colour_shares.py compare TYP.txt CROP.png KESTREL.png

compare: every TYP colour covering at least 2 % of QMapShack's picture must cover a share of
kestrel's within a quarter of QMapShack's share; and kestrel's picture must be built from the TYP's
colours (no other colour, white aside, covers 2 % of it). Prints the shares; exit 1 when a check
fails. Needs ImageMagick's convert.
"""
import collections
import re
import subprocess
import sys

SHARE, TOLERANCE = 0.02, 0.25


def typ_colours(text):
    """The #RRGGBB colours of the TYP text's pictures, day and night."""
    found = set()
    for line in open(text, encoding="latin1"):
        for c in re.findall(r'"[^"]*\bc\s+#([0-9A-Fa-f]{6})', line):
            found.add(bytes.fromhex(c))
    return found


def load(png):
    ppm = subprocess.run(["convert", png, "-depth", "8", "ppm:-"], capture_output=True,
                         check=True).stdout
    magic, w, h, depth, data = ppm.split(maxsplit=4)
    return int(w), int(h), data


def shares(png):
    w, h, data = load(png)
    count = collections.Counter(data[i:i + 3] for i in range(0, w * h * 3, 3))
    return {c: n / (w * h) for c, n in count.items()}


def box(text, png, crop):
    # White and black also make the viewer's own background and writing.
    want = typ_colours(text) - {b"\xff\xff\xff", b"\x00\x00\x00"}
    w, h, data = load(png)
    xs, ys = [], []
    for y in range(h):
        row = data[y * w * 3:(y + 1) * w * 3]
        hits = [x for x in range(w) if row[x * 3:x * 3 + 3] in want]
        if hits:
            xs += [hits[0], hits[-1]]
            ys.append(y)
    if not ys:
        sys.exit("no TYP colour in " + png)
    x0, x1, y0, y1 = min(xs), max(xs), min(ys), max(ys)
    subprocess.run(["convert", png, "-crop", f"{x1 - x0 + 1}x{y1 - y0 + 1}+{x0}+{y0}", "+repage",
                    crop], check=True)
    print(f"{x1 - x0 + 1}x{y1 - y0 + 1}")


def compare(text, qms, kestrel):
    want = typ_colours(text)
    q, k = shares(qms), shares(kestrel)
    ok = True
    print("colour    QMapShack  kestrel  check")
    for c in sorted(want, key=lambda c: -q.get(c, 0)):
        qs, ks = q.get(c, 0), k.get(c, 0)
        if qs < SHARE and ks < SHARE:
            continue
        good = qs < SHARE or abs(ks - qs) <= TOLERANCE * qs
        ok &= good
        print(f"#{c.hex().upper()}  {qs * 100:8.2f}%  {ks * 100:6.2f}%  {'ok' if good else 'FAILS'}")
    typ_share = sum(s for c, s in k.items() if c in want)
    others = {c: s for c, s in k.items() if c not in want and c != b"\xff\xff\xff" and s >= SHARE}
    print(f"kestrel's picture: {typ_share * 100:.2f}% in TYP colours")
    for c, s in sorted(others.items(), key=lambda i: -i[1]):
        print(f"#{c.hex().upper()} is no TYP colour and covers {s * 100:.2f}%")
        ok = False
    print("ok" if ok else "FAILS")
    return 0 if ok else 1


if __name__ == "__main__":
    if len(sys.argv) == 5 and sys.argv[1] == "box":
        box(*sys.argv[2:])
    elif len(sys.argv) == 5 and sys.argv[1] == "compare":
        sys.exit(compare(*sys.argv[2:]))
    else:
        sys.exit(__doc__)
