#!/usr/bin/env python3
"""Writes one tile of a big, dense map in Polish format to stdout, for timing the complete scan.

    big_map_source.py TILE_NUMBER [SCALE]

Tile n covers its own half-degree square. It holds standard and extended polygons, lines and
points, most of them on several of four levels, lines and polygons zigzagging so that mkgmap
cannot thin them out. SCALE (default 1.0) multiplies the number of objects; at 1.0 mkgmap makes
a tile of about 6 MB. The same arguments always give the same text.
"""
import random
import sys

POLYGON_TYPES = [0x01, 0x03, 0x0A, 0x13, 0x17, 0x3C, 0x4E, 0x50, 0x10601, 0x10D01, 0x11001]
LINE_TYPES = [0x01, 0x02, 0x04, 0x06, 0x0A, 0x14, 0x16, 0x1F, 0x10E02, 0x10F04, 0x11000]
POINT_TYPES = [0x2A00, 0x2A03, 0x2B01, 0x2C04, 0x2F06, 0x6401, 0x0400, 0x0800,
               0x10B13, 0x11401, 0x1101C, 0x13500]


def coords(points):
    return ",".join("(%.5f,%.5f)" % p for p in points)


def main():
    tile = int(sys.argv[1])
    scale = float(sys.argv[2]) if len(sys.argv) > 2 else 1.0
    rnd = random.Random(tile)
    lat0, lon0 = 40.0 + (tile // 8) * 0.5, 5.0 + (tile % 8) * 0.5
    out = sys.stdout
    out.write("[IMG ID]\nID=%d\nName=Big %d\nCodePage=1252\nLevels=4\n"
              "Level0=24\nLevel1=22\nLevel2=20\nLevel3=18\n[END-IMG ID]\n\n" % (63241000 + tile, tile))

    def spot(margin):
        return (lat0 + margin + rnd.random() * (0.5 - 2 * margin),
                lon0 + margin + rnd.random() * (0.5 - 2 * margin))

    def element(section, code, points, end):
        label = "Label=N%d\n" % rnd.randrange(5000) if rnd.random() < 0.5 else ""
        out.write("[%s]\nType=0x%x\n%sEndLevel=%d\nData0=%s\n[END]\n\n"
                  % (section, code, label, end, coords(points)))

    for _ in range(int(9000 * scale)):
        lat, lon = spot(0.02)
        path = []
        for i in range(rnd.randrange(20, 80)):
            path.append((lat + i * 0.0004, lon + rnd.uniform(-0.004, 0.004)))
        element("POLYLINE", rnd.choice(LINE_TYPES), path, rnd.choice([0, 0, 1, 2]))
    for _ in range(int(5000 * scale)):
        lat, lon = spot(0.02)
        ring = []
        n = rnd.randrange(10, 50)
        for i in range(n):
            r = rnd.uniform(0.002, 0.01)
            ring.append((lat + r * ((i * 7919) % 97 - 48) / 48, lon + r * ((i * 104729) % 89 - 44) / 44))
        element("POLYGON", rnd.choice(POLYGON_TYPES), ring, rnd.choice([0, 0, 1, 2]))
    for _ in range(int(60000 * scale)):
        element("POI", rnd.choice(POINT_TYPES), [spot(0.001)], rnd.choice([0, 0, 0, 1]))


if __name__ == "__main__":
    main()
