#pragma once
// Per kind of object, the type codes a decode met, in order of first sight, each with the number
// of objects and the map levels they occur at.
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace kestrel {

// The same order as the inventory's kind index.
enum class ObjectKind : std::uint8_t { Polygon = 0, Line = 1, Point = 2 };
inline constexpr std::size_t kObjectKinds = 3;
inline constexpr std::array<ObjectKind, kObjectKinds> kKinds{ObjectKind::Polygon, ObjectKind::Line,
                                                             ObjectKind::Point};
// A level number for objects whose map level is not known: counted, no level bit set.
inline constexpr unsigned kUnknownLevel = 16;

// Codes: extended types 0x1TTSS, standard polygons and lines 0xTT00, standard points 0xTTSS.
struct TypeCount {
    std::uint32_t code = 0;
    std::uint64_t count = 0;
    std::uint16_t levels = 0; // bit n: the type occurs at map level n
    bool operator==(const TypeCount&) const = default;
};

class TypeTally {
  public:
    TypeTally();
    TypeTally(const TypeTally&) = delete;
    TypeTally& operator=(const TypeTally&) = delete;

    // Counts objects of one kind at one map level (or kUnknownLevel), whose codes `codeOf`
    // gives.
    template <class Objects, class CodeOf>
    void add(ObjectKind kind, unsigned level, const Objects& objects, CodeOf codeOf) {
        const auto k = static_cast<std::size_t>(kind);
        const auto bit = static_cast<std::uint16_t>(level < kUnknownLevel ? 1u << level : 0);
        for (const auto& object : objects) {
            const std::uint32_t code = codeOf(object);
            if (code >= kCodes) continue;
            TypeCount& c = lists_[k][slotOf(k, code) - 1];
            ++c.count;
            c.levels |= bit;
        }
    }
    using Lists = std::array<std::vector<TypeCount>, kObjectKinds>;

    // Adds another tally's entries, keeping first-sight order.
    void merge(const Lists& other);
    // Forgets every entry (keeps the memory).
    void clear();

    const std::vector<TypeCount>& list(ObjectKind kind) const {
        return lists_[static_cast<std::size_t>(kind)];
    }
    const Lists& lists() const { return lists_; }

  private:
    // The code's list index + 1, listing it first when new.
    std::uint32_t slotOf(std::size_t k, std::uint32_t code) {
        const std::uint32_t slot = (*pages_[k][code >> kPageBits])[code & (kPage - 1)];
        return slot ? slot : insert(k, code);
    }
    std::uint32_t insert(std::size_t k, std::uint32_t code);

    static constexpr std::uint32_t kCodes = 0x20000; // every standard and extended code
    static constexpr std::uint32_t kPageBits = 8;
    static constexpr std::uint32_t kPage = 1u << kPageBits;
    using Page = std::array<std::uint32_t, kPage>;
    // Stands for every page not made yet: all its codes unseen. Never written: a code's own page
    // is made before its slot is set.
    static Page unseen_;

    Lists lists_;
    // Code to list index + 1, in pages of 256 codes made when a code of theirs first shows; a
    // page not made is unseen_, so that a look-up takes no test of its own.
    std::array<std::array<Page*, kCodes / kPage>, kObjectKinds> pages_;
    std::vector<std::unique_ptr<Page>> made_;
};

} // namespace kestrel
