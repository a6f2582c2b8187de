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
        if (code >= kCodes) return;
        TypeCount& c = entry(static_cast<std::size_t>(kind), code);
        ++c.count;
        if (level < kUnknownLevel) c.levels |= static_cast<std::uint16_t>(1u << level);
    }
    // Adds another tally's entries, keeping first-sight order.
    void merge(const TypeTally& other);
    // Forgets every entry (keeps the memory).
    void clear();

    const std::vector<TypeCount>& list(ObjectKind kind) const {
        return lists_[static_cast<std::size_t>(kind)];
    }

  private:
    TypeCount& entry(std::size_t k, std::uint32_t code) {
        if (slots_[k].empty()) slots_[k].assign(kCodes, 0);
        std::uint32_t& slot = slots_[k][code];
        if (slot == 0) {
            lists_[k].push_back({code, 0, 0});
            slot = static_cast<std::uint32_t>(lists_[k].size());
        }
        return lists_[k][slot - 1];
    }

    static constexpr std::uint32_t kCodes = 0x20000; // every standard and extended code
    std::array<std::vector<TypeCount>, kObjectKinds> lists_;
    std::array<std::vector<std::uint32_t>, kObjectKinds> slots_; // code to list index + 1
};

} // namespace kestrel
