#!/usr/bin/env python3
"""Whether two PNG pictures of a map are the same: the same bytes, or else the same size with
nearly all pixels the same (a few pixels may land one over where a system's maths library rounds
a projected point the other way). Says how they differ.

Usage: same_picture.py A.png B.png; exits 1 when they differ more than that.
"""
import struct
import sys
import zlib

SHARE = 0.001  # of the pixels that may differ


def pixels(path):
    """(width, height, rows of (r, g, b) tuples) of an 8-bit palette, RGB or RGBA PNG."""
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        sys.exit(f"{path}: not a PNG")
    at, idat, palette = 8, b"", []
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour = struct.unpack(">IIBB", body[:10])
        elif kind == b"PLTE":
            palette = [tuple(body[i:i + 3]) for i in range(0, len(body), 3)]
        elif kind == b"IDAT":
            idat += body
        at += 12 + length
    if depth != 8 or colour not in (2, 3, 6):
        sys.exit(f"{path}: {depth}-bit PNG of colour type {colour}, not read here")
    size = {2: 3, 3: 1, 6: 4}[colour]
    raw, stride, rows, prior = zlib.decompress(idat), width * size, [], bytearray(width * size)
    for y in range(height):
        line = raw[y * (stride + 1):(y + 1) * (stride + 1)]
        row = unfilter(line[0], bytearray(line[1:]), prior, size)
        if colour == 3:
            rows.append([palette[i] for i in row])
        else:
            rows.append([tuple(row[x:x + 3]) for x in range(0, stride, size)])
        prior = row
    return width, height, rows


def unfilter(kind, row, prior, size):
    if kind == 0:
        return row
    for i in range(len(row)):
        left = row[i - size] if i >= size else 0
        up, corner = prior[i], prior[i - size] if i >= size else 0
        if kind == 1:
            row[i] = (row[i] + left) & 255
        elif kind == 2:
            row[i] = (row[i] + up) & 255
        elif kind == 3:
            row[i] = (row[i] + (left + up) // 2) & 255
        elif kind == 4:
            p = left + up - corner
            pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
            row[i] = (row[i] + (left if pa <= pb and pa <= pc else up if pb <= pc else corner)) & 255
    return row


a, b = sys.argv[1], sys.argv[2]
if open(a, "rb").read() == open(b, "rb").read():
    sys.exit(0)
(wa, ha, ra), (wb, hb, rb) = pixels(a), pixels(b)
if (wa, ha) != (wb, hb):
    sys.exit(f"{a} is {wa}x{ha} pixels, {b} {wb}x{hb}")
differ = sum(pa != pb for row_a, row_b in zip(ra, rb) for pa, pb in zip(row_a, row_b))
print(f"{a} and {b}: other bytes, {differ} of {wa * ha} pixels differ")
sys.exit(1 if differ > SHARE * wa * ha else 0)
