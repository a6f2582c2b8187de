#pragma once
// The order in which a device draws polygon types, lowest level first, as a file keeps it: each
// level a list of entries, written in that order. A text's levels 1, 2 and 5 become three levels
// here (mkgmap closes the gaps); its level 0 entries come after an empty first level.
#include <cstdint>
#include <vector>

namespace kestrel::typ {

struct DrawOrderEntry {
    std::uint8_t type = 0; // the type byte: 0x4B, or 0x0F of the extended 0x10F
    // Of an extended type, bit s stands for the code 0x1TTs; 0 marks a standard type (all of its
    // subtypes).
    std::uint32_t extendedSubtypes = 0;

    bool extended() const { return extendedSubtypes != 0; }
    bool operator==(const DrawOrderEntry&) const = default;
};

struct DrawOrder {
    std::vector<std::vector<DrawOrderEntry>> levels; // levels[0] is level 1

    bool empty() const { return levels.empty(); }
    bool operator==(const DrawOrder&) const = default;
};

} // namespace kestrel::typ
