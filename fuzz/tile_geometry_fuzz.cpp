// Any bytes as one map file through the geometry reader, every tile at the level the size picks:
// no crash, no read outside the bytes, no hang, and the result keeps its promises: every shape's
// points lie in the point list, notes only at bytes of the file, and the standard and extended
// sections read apart and joined give the same, now and then near a small cap on points.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <utility>

#include "mapread/tile_geometry.h"
#include "support/fake_ui.h"
#include "support/joined_parts.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kestrel::MapBuffer buf = kestrel::MapBuffer::view({data, size});
    if (size % 2 == 1) buf.setKey(buf.rawFirstByte());
    kestrel::test::FakeUi ui;
    if (size % 5 == 0) ui.stopAfterYields(static_cast<long>(size % 7));
    kestrel::GeometryRequest request{static_cast<unsigned>(size % 3), std::nullopt};
    if (size % 4 == 0) request.within = kestrel::MapArea{1 << 20, 1 << 20, -(1 << 20), -(1 << 20)};
    if (size % 3 == 1) request.maxPoints = size % 64;
    for (const kestrel::ImgTile& tile : kestrel::ImgDirectory::read(buf).tiles) {
        const kestrel::TileGeometry g = kestrel::TileGeometry::read(buf, tile, request, ui);
        for (const auto& list : g.shapes)
            for (const kestrel::MapShape& s : list)
                if (s.count == 0 || std::uint64_t{s.first} + s.count > g.points.size())
                    std::abort();
        for (const kestrel::DecodeNote& n : g.notes)
            if (n.offset >= static_cast<std::int64_t>(size) || n.offset < -1) std::abort();
        if (ui.stopflag()) continue; // a stop ends the reads where it finds them
        kestrel::TileGeometry standard =
            kestrel::TileGeometry::read(buf, tile, request, ui, kestrel::TileSections::Standard);
        kestrel::TileGeometry extended =
            kestrel::TileGeometry::read(buf, tile, request, ui, kestrel::TileSections::Extended);
        standard.join(extended, buf, tile, request, ui);
        if (ui.stopflag()) continue;
        const kestrel::TileGeometry apart = kestrel::test::oneReadOf(std::move(standard), extended);
        if (apart.points != g.points || apart.shapes != g.shapes || apart.notes != g.notes ||
            apart.damagedShapes != g.damagedShapes)
            std::abort();
    }
    return 0;
}
