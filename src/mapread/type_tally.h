#pragma once
// Per kind of object, the type codes a decode met, in order of first sight, each with the number
// of objects and the map levels they occur at.
#include <array>
#include <cstdint>
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
    // `level` is a map level's number, or kUnknownLevel.
    void add(ObjectKind kind, std::uint32_t code, unsigned level) {
        const auto k = static_cast<std::size_t>(kind);
        if (code >= kCodes) return;
        TypeCount& c = lists_[k][slotOf(k, code) - 1];
        ++c.count;
        if (level < kUnknownLevel) c.levels |= static_cast<std::uint16_t>(1u << level);
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
        const std::vector<std::uint32_t>& page = slots_[k][code >> kPageBits];
        const std::uint32_t slot = page.empty() ? 0 : page[code & (kPage - 1)];
        return slot ? slot : insert(k, code);
    }
    std::uint32_t insert(std::size_t k, std::uint32_t code);

    static constexpr std::uint32_t kCodes = 0x20000; // every standard and extended code
    static constexpr std::uint32_t kPageBits = 8;
    static constexpr std::uint32_t kPage = 1u << kPageBits;
    Lists lists_;
    // Code to list index + 1, in pages of 256 codes made when a code of theirs first shows.
    std::array<std::array<std::vector<std::uint32_t>, kCodes / kPage>, kObjectKinds> slots_;
};

} // namespace kestrel
