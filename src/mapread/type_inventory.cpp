#include "mapread/type_inventory.h"

namespace kestrel {

void TypeInventory::reset() {
    for (auto& l : lists_) l.clear();
    for (CodeGuard* g : {&seenpoly, &seenline, &seenpoi, &extpois, &ovlines}) g->clear();
    polylevels.clear();
    maxlevel = 0;
}

std::string TypeInventory::caption(int kind) const {
    static constexpr std::array<const char*, 3> names{"Polygons:", "Lines:", "POIs:"};
    return names[static_cast<std::size_t>(kind)] + std::to_string(list(kind).size());
}

} // namespace kestrel
