#include "mapdraw/map_styles.h"

#include "draw/looks.h"

namespace kestrel::mapdraw {
namespace {

constexpr std::uint32_t kBackground = 0x4B00;
constexpr std::uint32_t kSubtypes = 32;

// The first element of each code: a device uses the first one it finds.
template <class Element>
void index(const std::vector<Element>& elements, std::unordered_map<std::uint32_t, Element>& to) {
    for (const Element& e : elements) to.try_emplace(e.code.value(), e);
}

} // namespace

typ::ElementCode elementCode(std::uint32_t code) {
    if (code & 0x10000)
        return {static_cast<std::uint16_t>(0x100 | (code >> 8 & 0xFF)),
                static_cast<std::uint8_t>(code & 0x1F)};
    return {static_cast<std::uint16_t>(code >> 8), static_cast<std::uint8_t>(code & 0xFF)};
}

MapStyles::MapStyles(const typ::TypFile* typ) : typ_(typ) {
    if (!typ) return;
    index(typ->polygons, polygons_);
    index(typ->lines, lines_);
    index(typ->points, points_);
    for (std::size_t level = 0; level < typ->drawOrder.levels.size(); ++level)
        for (const typ::DrawOrderEntry& e : typ->drawOrder.levels[level]) {
            const auto l = static_cast<unsigned>(level);
            if (!e.extended()) levels_.try_emplace(std::uint32_t{e.type} << 8, l);
            for (std::uint32_t s = 0; e.extended() && s < kSubtypes; ++s)
                if (e.extendedSubtypes >> s & 1)
                    levels_.try_emplace(0x10000 | std::uint32_t{e.type} << 8 | s, l);
        }
}

const typ::Polygon& MapStyles::polygon(std::uint32_t code) {
    const auto found = polygons_.find(code);
    if (found != polygons_.end()) return found->second;
    return polygons_.emplace(code, draw::plainPolygon(elementCode(code))).first->second;
}

const typ::Line& MapStyles::line(std::uint32_t code) {
    const auto found = lines_.find(code);
    if (found != lines_.end()) return found->second;
    return lines_.emplace(code, draw::plainLine(elementCode(code))).first->second;
}

const typ::Point& MapStyles::point(std::uint32_t code) {
    const auto found = points_.find(code);
    if (found != points_.end()) return found->second;
    return points_.emplace(code, draw::plainPoint(elementCode(code))).first->second;
}

std::optional<unsigned> MapStyles::drawLevel(std::uint32_t code) const {
    if (!typ_ || typ_->drawOrder.empty()) return code == kBackground ? 0 : 1;
    const auto found = levels_.find(code & 0x10000 ? code : code & 0xFF00);
    if (found == levels_.end()) return std::nullopt;
    return found->second;
}

} // namespace kestrel::mapdraw
