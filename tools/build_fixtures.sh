#!/usr/bin/env bash
# Rebuilds the sample map data/test.img and the real test maps under tests/fixtures/maps/ from
# their Polish-format sources with mkgmap (Debian package "mkgmap"; perl masks one copy). mkgmap stamps the build time
# into its output, so a rebuild changes bytes but not content. Run from anywhere:
#   tools/build_fixtures.sh
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
maps=$repo/tests/fixtures/maps
command -v mkgmap >/dev/null || { echo "mkgmap not found (apt-get install mkgmap)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# build NAME ARGS...: runs mkgmap in a fresh folder $work/NAME (output kept there).
build() {
    local name=$1
    shift
    mkdir -p "$work/$name"
    (cd "$work/$name" && mkgmap "$@" >mkgmap.log 2>&1) || {
        cat "$work/$name/mkgmap.log" >&2
        exit 1
    }
}

# The sample map beside the program: the tile only, no TDB (its TDB lookup stays silent).
build sample --mapname=63240001 --family-id=6324 --product-id=1 "$repo/data/sample/test.mp"
cp "$work/sample/63240001.img" "$repo/data/test.img"

# Standard and extended types on four levels, no TDB.
build mixed --mapname=63240021 "$maps/mixed/mixed.mp"
cp "$work/mixed/63240021.img" "$maps/mixed/"

# Two tiles in one gmapsupp, with the family's TDB beside it.
build two_tiles --mapname=63240031 --overview-mapname=twotiles --family-id=6325 --product-id=2 \
    --tdbfile --gmapsupp "$maps/two_tiles/tile_a.mp" "$maps/two_tiles/tile_b.mp"
cp "$work/two_tiles/gmapsupp.img" "$work/two_tiles/twotiles.tdb" "$maps/two_tiles/"

# One tile with its TDB; the family ID is above 32767.
build with_tdb --mapname=63240041 --overview-mapname=withtdb --family-id=40000 --product-id=3 \
    --tdbfile "$maps/with_tdb/with_tdb.mp"
cp "$work/with_tdb/63240041.img" "$work/with_tdb/withtdb.tdb" "$maps/with_tdb/"

# One tile and two TDB files of two families built from the same source.
build two_tdb_a --mapname=63240051 --overview-mapname=fam_a --family-id=6327 --product-id=1 \
    --tdbfile "$maps/two_tdb/two_tdb.mp"
build two_tdb_b --mapname=63240051 --overview-mapname=fam_b --family-id=6328 --product-id=7 \
    --tdbfile "$maps/two_tdb/two_tdb.mp"
cp "$work/two_tdb_a/63240051.img" "$work/two_tdb_a/fam_a.tdb" "$work/two_tdb_b/fam_b.tdb" \
    "$maps/two_tdb/"

# The complete scan's maps: every kind of object in one tile and its copy XOR-masked with 0x5A
# (mkgmap writes a first byte of 0, so the masked file starts with its key), and a gmapsupp of
# three tiles with different level counts.
complete=$maps/complete
build every_kind --mapname=63240061 "$complete/every_kind/every_kind.mp"
cp "$work/every_kind/63240061.img" "$complete/every_kind/"
perl -e 'binmode STDIN; binmode STDOUT; $/ = \65536; while (<STDIN>) { print $_ ^ (chr(0x5A) x length) }' \
    <"$complete/every_kind/63240061.img" >"$complete/every_kind/63240061_x5a.img"
build three_tiles --mapname=63240071 --gmapsupp "$complete/gmapsupp/tile_1.mp" \
    "$complete/gmapsupp/tile_2.mp" "$complete/gmapsupp/tile_3.mp"
cp "$work/three_tiles/gmapsupp.img" "$complete/gmapsupp/"

# Every type of the built-in style tables in one tile: its TYP texts pin the tables.
build styles --mapname=63240081 "$maps/styles/styles.mp"
cp "$work/styles/63240081.img" "$maps/styles/"

# Objects with known coordinates for the geometry reader.
build geometry --mapname=63240101 "$maps/geometry/geometry.mp"
cp "$work/geometry/63240101.img" "$maps/geometry/"

# The TYP of a map: two TYP texts for the two tiles above, compiled, and a gmapsupp of those tiles
# holding the first one.
with_typ=$maps/with_typ
build typs --code-page=1252 "$with_typ/style_red.txt" "$with_typ/style_blue.txt"
cp "$work/typs/style_red.typ" "$work/typs/style_blue.typ" "$with_typ/"
build with_typ --mapname=63240091 --family-id=6326 --product-id=3 --gmapsupp \
    "$maps/two_tiles/tile_a.mp" "$maps/two_tiles/tile_b.mp" "$with_typ/style_red.typ"
cp "$work/with_typ/gmapsupp.img" "$with_typ/"

echo "fixtures rebuilt"
