#pragma once
// The swatch of a legend row: its element drawn as a device draws it, over a checkerboard that
// shows what the element leaves transparent. A polygon is its pattern tiled over a small area, a
// line a segment, a point its icon at its own size and at twice that size.
#include <cairo.h>

#include <optional>
#include <string>

#include "draw/cairo_handles.h"
#include "draw/typ_painter.h"
#include "legend/legend_sheet.h"

namespace kestrel::legend {

struct Size {
    int width = 0, height = 0;
};

// The swatch's size in pixels: at most 2 x 255 + 3 x 8 pixels each way (a point's icon twice).
Size swatchSize(const Sheet& sheet, const Row& row);
// The swatch on a surface of its own, so that a pattern tiles from the swatch's corner.
draw::Surface swatchSurface(const Sheet& sheet, const Row& row, draw::Daytime time);
// The small square swatch of the TYP's style for a type of a map's lists (codes as the complete
// scan gives them), by day, `side` pixels each way (8 to 64); nothing when the TYP leaves the type
// unstyled or its picture is misshapen.
std::optional<std::string> typeSwatchPng(const typ::TypFile& typ, ObjectKind kind,
                                         std::uint32_t code, int side);
// The swatch alone as PNG bytes; nothing when Cairo could not make it.
std::optional<std::string> swatchPng(const Sheet& sheet, const Row& row, draw::Daytime time);

} // namespace kestrel::legend
