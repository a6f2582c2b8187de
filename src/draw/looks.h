#pragma once
// What the painters share that needs no Cairo: device points, the time of day and the colours
// and icon it picks, and the plain styles. The map picture paints with these alone, so that a
// program drawing only maps loads none of Cairo's libraries.
#include "typfile/elements.h"

namespace kestrel::draw {

enum class Daytime { Day, Night };

struct PointF {
    double x = 0, y = 0; // device pixels
};

// The colours of the time of day: the night ones when Night and the element has them.
const typ::ColourPair& coloursAt(const typ::Polygon& style, Daytime time);
const typ::ColourPair& coloursAt(const typ::Line& style, Daytime time);
const typ::Image& imageAt(const typ::Point& style, Daytime time);

// The plain styles for types a TYP leaves unstyled (the legend names them; a map picture uses
// them): a light grey area, a thin dark grey line, a small dark square.
typ::Polygon plainPolygon(typ::ElementCode code);
typ::Line plainLine(typ::ElementCode code);
typ::Point plainPoint(typ::ElementCode code);

} // namespace kestrel::draw
