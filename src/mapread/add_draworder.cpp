#include "mapread/add_draworder.h"

#include <algorithm>

#include "base/text.h"

namespace kestrel {
namespace {

constexpr TypeCode kMapContainer{0x10D01, CodeDigits::Extended, CodeTail::Blank};

// The program tests the entry's text for "10D01": the code, or a label that holds it.
bool namesMapContainer(const InventoryEntry& e) {
    return e.code.value == kMapContainer.value || contains(e.label, "10D01");
}

} // namespace

void add_draworder(TypeInventory& inv) {
    const auto levels = static_cast<std::int64_t>(inv.polylevels.size());
    for (InventoryEntry& e : inv.list(kPolygons)) {
        const std::int64_t k = e.levelNote ? e.levelNote->level : 0;
        if (namesMapContainer(e)) {
            e.code = kMapContainer;
            e.label = " map container";
            e.drawLevels = {0};
        } else if (k <= inv.maxlevel) {
            // With ten or more map levels the difference can go below 0; 0 is the lowest level.
            e.drawLevels.push_back(std::max<std::int64_t>(0, levels - k));
        }
    }
}

} // namespace kestrel
