#!/usr/bin/env bash
# Draws one tile of a map with its TYP in QMapShack and with `kestrel-cli render`, and compares the
# pictures' colours (bench/colour_shares.py): every TYP colour covering at least 2 % of
# QMapShack's picture covers a share of kestrel's within a quarter of it, and kestrel's picture is
# built from the TYP's colours. Not a CI test: QMapShack under Xvfb is heavy.
#   bench/render_vs_qmapshack.sh BUILD_DIR GMAPSUPP.img TYP.txt OUTDIR [DETAIL]
# GMAPSUPP.img holds the TYP compiled from TYP.txt (see ../shared/tools/client/render_with_typ.sh,
# whose OUTDIR/build/maps_typ/typ_gmapsupp.img and OUTDIR/style.txt are such a pair). DETAIL is
# QMapShack's detail setting (default 5: its finest level), kestrel draws level 0. OUTDIR gets
# qmapshack.png, qmapshack_tile.png (the tile cut out), kestrel.png, side_by_side.png, shares.txt.
set -euo pipefail
cli=$(cd "$1" && pwd)/bin/kestrel-cli
map=$(realpath "$2")
typ=$(realpath "$3")
mkdir -p "$4"
out=$(realpath "$4")
detail=${5:-5}
here=$(cd "$(dirname "$0")" && pwd)
client=$here/../../shared/tools/client
[ -x "$client/render_gmapsupp.sh" ] || client=/work/shared/tools/client

"$client/render_gmapsupp.sh" "$map" "$out/qmapshack.png" "$detail"
size=$(python3 "$here/colour_shares.py" box "$typ" "$out/qmapshack.png" "$out/qmapshack_tile.png")
"$cli" render -q --force --size "$size" -o "$out/kestrel.png" "$map"
convert "$out/qmapshack_tile.png" "$out/kestrel.png" +append "$out/side_by_side.png"
python3 "$here/colour_shares.py" compare "$typ" "$out/qmapshack_tile.png" "$out/kestrel.png" |
    tee "$out/shares.txt"
