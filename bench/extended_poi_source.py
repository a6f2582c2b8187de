#!/usr/bin/env python3
"""Writes a small map in Polish format to stdout whose extended point section holds RECORDS
labelled POIs (default 65,536), for timing `match` against the list it labels.

    extended_poi_source.py [RECORDS]

mkgmap takes extended codes 0x1TTSS with a subtype SS of at most 0x1F, so a map can hold at most
256 x 32 = 8,192 distinct extended point codes; the records cycle through all of them, in an order
that is not sorted. The same arguments always give the same text.
"""
import sys

DISTINCT = 256 * 32


def main():
    records = int(sys.argv[1]) if len(sys.argv) > 1 else 65536
    out = sys.stdout
    out.write("[IMG ID]\nID=63249001\nName=Extended POIs\nCodePage=1252\nLevels=2\n"
              "Level0=24\nLevel1=22\nZoom0=0\nZoom1=1\n[END-IMG ID]\n\n")
    side = 256
    for n in range(records):
        k = (n * 4099) % DISTINCT  # 4099 is prime to 8,192: every code, in a scattered order
        code = 0x10000 + (k >> 5) * 0x100 + (k & 0x1F)
        lat = 45.0 + (n // side) * 0.0002
        lon = 5.0 + (n % side) * 0.0002
        out.write("[POI]\nType=0x%x\nLabel=P%d\nData0=(%.5f,%.5f)\n[END]\n\n" % (code, n, lat, lon))


if __name__ == "__main__":
    main()
