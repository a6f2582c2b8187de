#include "mapread/type_tally.h"

namespace kestrel {

TypeTally::Page TypeTally::unseen_{};

TypeTally::TypeTally() {
    for (auto& pages : pages_) pages.fill(&unseen_);
}

std::uint32_t TypeTally::insert(std::size_t k, std::uint32_t code) {
    Page*& page = pages_[k][code >> kPageBits];
    if (page == &unseen_) page = made_.emplace_back(std::make_unique<Page>()).get();
    lists_[k].push_back({code, 0, 0});
    return (*page)[code & (kPage - 1)] = static_cast<std::uint32_t>(lists_[k].size());
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
        for (const TypeCount& c : lists_[k])
            (*pages_[k][c.code >> kPageBits])[c.code & (kPage - 1)] = 0;
        lists_[k].clear();
    }
}

} // namespace kestrel
