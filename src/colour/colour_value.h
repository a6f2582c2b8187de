#pragma once
// Colour values as the program keeps them, and the four colour slots of the settings.
#include <array>
#include <cstdint>

namespace kestrel {

// Colour value: red + 256 x green + 65536 x blue.
using ColourValue = std::int32_t;

inline constexpr ColourValue kWhite = 16777215;
inline constexpr ColourValue kYellow = 65535;

// The backgrounds of the type-number bitmaps: 0 polygons with a type below 0x100, 1 polygons with
// a type of 0x100 or more, 2 and 3 the same for POIs.
using ColourSlots = std::array<ColourValue, 4>;
inline constexpr ColourSlots kDefaultColourSlots{kWhite, kYellow, kWhite, kYellow};

} // namespace kestrel
