#include "app/recent_list.h"

namespace kestrel {

void updatmf(std::array<std::string, 7>& items, const std::string& name) {
    std::size_t match = items.size();
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i] == name) {
            match = i;
            break;
        }
    }
    if (match == 0) return;
    // Without a match the last item is overwritten (dropped); with one, the match is.
    const std::size_t last = match == items.size() ? items.size() - 1 : match;
    for (std::size_t i = last; i > 0; --i) items[i] = items[i - 1];
    items[0] = name;
}

} // namespace kestrel
