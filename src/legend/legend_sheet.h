#pragma once
// The legend of a TYP as data: one row per element, polygons in draw order, then lines and points,
// each in the TYP's order; beside a map, the object count of each type and what the TYP and the
// map miss of each other. The picture (PNG, SVG) and the HTML page are made from it.
#include <cstdint>
#include <optional>
#include <vector>

#include "draw/picture_check.h"
#include "legend/map_use.h"
#include "typfile/typ_file.h"

namespace kestrel::legend {

struct Row {
    ObjectKind kind = ObjectKind::Polygon;
    typ::ElementCode code;
    // The element's index in the TYP's list of its kind; none: a type the TYP leaves unstyled,
    // shown in the plain style.
    std::optional<std::size_t> element;
    // Polygons: the level in the draw order (1 lowest); none: the draw order leaves it out.
    std::optional<unsigned> drawLevel;
    // Beside a map: the map's objects of this type (0: the map never uses it).
    std::optional<std::uint64_t> objects;
};

struct Sheet {
    typ::TypFile typ;
    std::vector<Row> polygons, lines, points; // the TYP's elements
    bool withMap = false;
    bool mapIncomplete = false; // the map's objects could not all be decoded
    std::vector<Row> unstyled;  // the map's types the TYP does not style, each kind in turn
    std::vector<Row> undrawn;   // the map's polygon types the draw order leaves out
    std::vector<Row> unused;    // the TYP's elements the map never uses
};

Sheet makeSheet(typ::TypFile typ, const std::optional<MapUse>& use = std::nullopt);

// The level of the polygon type in the draw order (1 lowest), if it has one.
std::optional<unsigned> drawLevel(const typ::DrawOrder& order, typ::ElementCode code);

// The first misshapen picture of the TYP: the legend refuses to draw it.
struct SheetFault {
    ObjectKind kind = ObjectKind::Polygon;
    typ::ElementCode code;
    draw::PictureFault fault = draw::PictureFault::PatternShape;
};
std::optional<SheetFault> sheetFault(const typ::TypFile& typ);

// The size of a sheet too large for a picture (see sheet_picture).
struct TooLargeForPicture {
    int width = 0, height = 0;
};

} // namespace kestrel::legend
