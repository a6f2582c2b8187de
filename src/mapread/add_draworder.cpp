#include "mapread/add_draworder.h"

#include <algorithm>
#include <string>

#include "base/text.h"

namespace kestrel {
namespace {

constexpr std::string_view kMapContainer = "0x10D01  map container (d0)";

// The level after the first " #" of a levellist line, read back as the hexadecimal text it was
// written as; 0 when there is none.
std::int64_t levelOf(const std::string& line) {
    const std::size_t at = line.find(" #");
    return at == std::string::npos ? 0 : static_cast<std::int64_t>(hexValue(line.substr(at + 2)));
}

} // namespace

void add_draworder(TypeInventory& inv) {
    const auto levels = static_cast<std::int64_t>(inv.polylevels.size());
    auto& polygons = inv.list(kPolygons);
    for (std::size_t i = 0; i < polygons.size(); ++i) {
        std::string& entry = polygons[i];
        const std::int64_t k = i < inv.levellist.size() ? levelOf(inv.levellist[i]) : 0;
        if (contains(entry, "10D01")) {
            entry = kMapContainer;
        } else if (k <= inv.maxlevel) {
            // With ten or more map levels the difference can go below 0; 0 is the lowest level.
            entry += " (d" + std::to_string(std::max<std::int64_t>(0, levels - k)) + ")";
        }
    }
}

} // namespace kestrel
