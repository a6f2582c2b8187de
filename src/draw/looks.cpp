// The plain styles of unstyled types, quiet greys so that a styled type stands out beside them, and
// the colours and icon of the time of day.
#include <cstdint>

#include "draw/looks.h"

namespace kestrel::draw {
namespace {

constexpr typ::Rgb kArea = typ::rgbFromHex(0xD0D0D0);
constexpr typ::Rgb kLine = typ::rgbFromHex(0x707070);
constexpr typ::Rgb kMark = typ::rgbFromHex(0x404040);
constexpr typ::Rgb kMarkEdge = typ::rgbFromHex(0xFFFFFF);
constexpr std::uint8_t kMarkSide = 7;

} // namespace

typ::Polygon plainPolygon(typ::ElementCode code) {
    typ::Polygon p;
    p.code = code;
    p.day.foreground = kArea;
    return p;
}

typ::Line plainLine(typ::ElementCode code) {
    typ::Line l;
    l.code = code;
    l.day.foreground = kLine;
    l.lineWidth = 2;
    return l;
}

// A dark square with a light rim, seen on light and dark ground alike.
typ::Point plainPoint(typ::ElementCode code) {
    typ::Point p;
    p.code = code;
    p.day.width = p.day.height = kMarkSide;
    p.day.palette = {{kMarkEdge, typ::kOpaque}, {kMark, typ::kOpaque}};
    p.day.indices.resize(kMarkSide * kMarkSide);
    for (std::uint8_t y = 0; y < kMarkSide; ++y)
        for (std::uint8_t x = 0; x < kMarkSide; ++x) {
            const bool rim = x == 0 || y == 0 || x == kMarkSide - 1 || y == kMarkSide - 1;
            p.day.indices[y * kMarkSide + x] = rim ? 0 : 1;
        }
    return p;
}

const typ::ColourPair& coloursAt(const typ::Polygon& style, Daytime time) {
    return time == Daytime::Night && style.night ? *style.night : style.day;
}
const typ::ColourPair& coloursAt(const typ::Line& style, Daytime time) {
    return time == Daytime::Night && style.night ? *style.night : style.day;
}
const typ::Image& imageAt(const typ::Point& style, Daytime time) {
    return time == Daytime::Night && style.night ? *style.night : style.day;
}

} // namespace kestrel::draw
