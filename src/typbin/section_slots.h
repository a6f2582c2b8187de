#pragma once
// The sections of the extra POI file that outlive one run: owned by the caller (the main window
// keeps one for its lifetime), never global.
#include <array>
#include <cstdint>
#include <string>

namespace kestrel {

inline constexpr std::uint8_t kIconSetFlagValue = 0x0F;

struct TypSectionSlots {
    // 0 icon index, 1 icon records, 2 to 5 the optional pre-built sections "b2".."b5".
    std::array<std::string, 6> slot{};
    // 0x0F once an extra POI run generated at least one element; written at 0x65.
    std::uint8_t iconSetFlag = 0;
};

} // namespace kestrel
