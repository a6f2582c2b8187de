#include "mapread/type_tally.h"

#include <new>

namespace kestrel {

TypeTally::TypeTally() {
    for (auto& slots : slots_) {
        slots.reset(static_cast<std::uint32_t*>(std::calloc(kCodes, sizeof(std::uint32_t))));
        if (!slots) throw std::bad_alloc(); // as a vector's memory would
    }
}

std::uint32_t TypeTally::insert(std::size_t k, std::uint32_t code) {
    lists_[k].push_back({code, 0, 0});
    return slots_[k][code] = static_cast<std::uint32_t>(lists_[k].size());
}

void TypeTally::merge(const Lists& other) {
    for (std::size_t k = 0; k < kObjectKinds; ++k) {
        for (const TypeCount& c : other[k]) {
            TypeCount& mine = lists_[k][slotOf(k, c.code) - 1];
            mine.count += c.count;
            mine.levels |= c.levels;
        }
    }
}

void TypeTally::clear() {
    for (std::size_t k = 0; k < kObjectKinds; ++k) {
        for (const TypeCount& c : lists_[k]) slots_[k][c.code] = 0;
        lists_[k].clear();
    }
}

} // namespace kestrel
