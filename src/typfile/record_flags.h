#pragma once
// The flag bits of the element records (their layouts are in record_encoder.h).
#include <cstdint>

namespace kestrel::typ::flag {

// Colour scheme of polygons (byte 0, bits 0 to 3) and lines (byte 0, bits 0 to 2).
inline constexpr std::uint8_t kSchemeNight = 0x01;
inline constexpr std::uint8_t kSchemeDayTransparent = 0x02;
inline constexpr std::uint8_t kSchemeNightTransparent = 0x04;
inline constexpr std::uint8_t kSchemePattern = 0x08; // polygons only
inline constexpr std::uint8_t kLineSchemeBits = 0x07;
inline constexpr unsigned kLineRowsShift = 3;

// Polygon byte 0.
inline constexpr std::uint8_t kPolygonLabels = 0x10;
inline constexpr std::uint8_t kPolygonFont = 0x20;
// Line byte 1.
inline constexpr std::uint8_t kLineLabels = 0x01;
inline constexpr std::uint8_t kLineKeepsDirection = 0x02;
inline constexpr std::uint8_t kLineFont = 0x04;
// Point byte 0.
inline constexpr std::uint8_t kPointImage = 0x01;
inline constexpr std::uint8_t kPointNight = 0x02;
inline constexpr std::uint8_t kPointLabels = 0x04;
inline constexpr std::uint8_t kPointFont = 0x08;

// Schemes 6 and 7 (both backgrounds transparent) are plain lines without a border.
constexpr bool borderless(std::uint32_t scheme) {
    return (scheme & ~std::uint32_t{kSchemeNight}) ==
           (kSchemeDayTransparent | kSchemeNightTransparent);
}

} // namespace kestrel::typ::flag
