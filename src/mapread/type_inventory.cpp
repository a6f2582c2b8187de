#include "mapread/type_inventory.h"

#include "base/text.h"

namespace kestrel {

bool CodeGuard::has(std::string_view code) const {
    return codes_.contains(ucase(code));
}

void CodeGuard::add(std::string_view code) {
    codes_.insert(ucase(code));
}

void TypeInventory::reset() {
    for (auto& l : lists_) l.clear();
    levellist.clear();
    for (CodeGuard* g : {&seenpoly, &seenline, &seenpoi, &extpois, &ovlines}) g->clear();
    polylevels.clear();
    maxlevel = 0;
}

std::string TypeInventory::caption(int kind) const {
    static constexpr std::array<const char*, 3> names{"Polygons:", "Lines:", "POIs:"};
    return names[static_cast<std::size_t>(kind)] + std::to_string(list(kind).size());
}

} // namespace kestrel
