#pragma once
// The single result of reading maps: per kind the ordered list of entries found since the last
// reset, with the duplicate guards and the polygon level record.
#include <array>
#include <string>
#include <unordered_set>
#include <vector>

#include "mapread/inventory_entry.h"

namespace kestrel {

enum Kind : int { kPolygons = 0, kLines = 1, kPois = 2 };

// A duplicate guard: the codes added before, by value and number of digits ("0x06" and "0x0600"
// are two codes, as the program's "#" + code + "#" test on a string of codes has it).
class CodeGuard {
  public:
    bool has(const TypeCode& code) const { return codes_.contains(key(code)); }
    void add(const TypeCode& code) { codes_.insert(key(code)); }
    void clear() { codes_.clear(); }

  private:
    static std::uint32_t key(const TypeCode& c) {
        return c.value | static_cast<std::uint32_t>(c.digits) << 24;
    }
    std::unordered_set<std::uint32_t> codes_;
};

class TypeInventory {
  public:
    std::vector<InventoryEntry>& list(int kind) { return lists_[static_cast<std::size_t>(kind)]; }
    const std::vector<InventoryEntry>& list(int kind) const {
        return lists_[static_cast<std::size_t>(kind)];
    }

    // Empties the lists, the guards and the level record.
    void reset();
    // "Polygons:12", "Lines:0", "POIs:3" (`showtots`).
    std::string caption(int kind) const;

    CodeGuard seenpoly; // kind 0, extended codes and standard polygon codes
    CodeGuard seenline; // kind 1, extended codes
    CodeGuard seenpoi;  // kind 2, extended codes of the TRE overview
    CodeGuard extpois;  // the RGN extended point scan's own guard
    CodeGuard ovlines;  // standard line codes of the line overview and the Highways+ defaults

    std::string polylevels; // distinct polygon levels, Hex, in order of first sight
    int maxlevel = 0;

  private:
    std::array<std::vector<InventoryEntry>, 3> lists_;
};

} // namespace kestrel
