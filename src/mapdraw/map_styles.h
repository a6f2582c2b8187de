#pragma once
// The style of each type a map picture draws: the TYP's element of that code, else the plain
// style; and the order of the polygons, the TYP's draw order.
#include <cstdint>
#include <optional>
#include <unordered_map>

#include "typfile/typ_file.h"

namespace kestrel::mapdraw {

class MapStyles {
  public:
    // `typ` may be nothing: every type gets its plain style. It must outlive the styles.
    explicit MapStyles(const typ::TypFile* typ);

    // Codes as the geometry reader gives them: 0xTT00 (standard polygons and lines), 0xTTSS
    // (standard points), 0x1TTSS (extended).
    const typ::Polygon& polygon(std::uint32_t code);
    const typ::Line& line(std::uint32_t code);
    const typ::Point& point(std::uint32_t code);
    // The polygon's draw level, drawn over the lower ones; nothing: a device never draws it (a
    // draw order that leaves it out). Without a draw order the background 0x4B comes first,
    // every other polygon over it.
    std::optional<unsigned> drawLevel(std::uint32_t code) const;

  private:
    const typ::TypFile* typ_;
    std::unordered_map<std::uint32_t, typ::Polygon> polygons_;
    std::unordered_map<std::uint32_t, typ::Line> lines_;
    std::unordered_map<std::uint32_t, typ::Point> points_;
    std::unordered_map<std::uint32_t, unsigned> levels_; // standard 0xTT00, extended 0x1TTSS
};

// The element code of a code as the geometry reader gives it.
typ::ElementCode elementCode(std::uint32_t code);

} // namespace kestrel::mapdraw
