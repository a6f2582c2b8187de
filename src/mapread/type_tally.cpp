#include "mapread/type_tally.h"

namespace kestrel {

void TypeTally::merge(const TypeTally& other) {
    for (std::size_t k = 0; k < kObjectKinds; ++k) {
        for (const TypeCount& c : other.lists_[k]) {
            TypeCount& mine = entry(k, c.code);
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
