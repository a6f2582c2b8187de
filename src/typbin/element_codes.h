#pragma once
// Which type code each numbered element gets, and the colour that spells it. An element code is
// type x 32 + subtype (16 bits).
#include <array>
#include <cstdint>

#include "typfile/rgb.h"

namespace kestrel {

// Highest code an index entry can hold.
inline constexpr std::uint32_t kMaxElementCode = 0xFFFF;

// POIs: consecutive subtypes, running on into the next type after subtype 31.
inline constexpr std::uint32_t poiCode(std::uint32_t start, std::uint32_t i) {
    return start * 32 + i;
}

// Lines and polygons. With `step` (ignored from start 0x100 on) one type per element, subtype 0,
// until type 0xFF; from there on the codes 0x2000, 0x2001, ... in turn.
inline constexpr std::uint32_t steppedCode(std::uint32_t start, std::uint32_t i, bool step) {
    if (!step || start > 255) return start * 32 + i;
    if (i == 0) return start * 32;
    if (start + i < 256) return (start + i) * 32;
    return 0x2000 + (start + i - 256);
}

// Active routes: six groups of 31 elements, each group running (start + j) x 32 for j = 0..30.
struct ActiveRouteGroup {
    std::uint8_t a;
    std::uint8_t b;
};
inline constexpr std::array<ActiveRouteGroup, 6> kActiveRouteGroups{
    {{4, 0}, {5, 0}, {4, 1}, {5, 1}, {4, 2}, {5, 2}}};
inline constexpr std::uint32_t kActiveRouteGroupSize = 31;
inline constexpr std::uint32_t kMaxActiveRoutes = 186; // six full groups

inline constexpr std::uint32_t activeRouteCode(std::uint32_t start, std::uint32_t i) {
    return (start + i % kActiveRouteGroupSize) * 32;
}

// The colour of a code: type x 256 + subtype, so that its #RRGGBB reads the code (0x5E6, type
// 0x2F subtype 6, gives #002F06).
inline constexpr typ::Rgb codeColour(std::uint32_t code) {
    return typ::rgbFromHex((code / 32) * 256 + code % 32);
}

} // namespace kestrel
