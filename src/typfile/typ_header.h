#pragma once
// The header of a binary TYP file: where its fields lie, and reading and writing the ones that are
// not about sections (date, identity). All integers little-endian; offsets from the file's start.
//
// mkgmap writes the 0x9C-byte form; files of other tools have 0x5B (no icon sets), 0x6E or 0xAE
// bytes (kestrel's numbered files among them). A field lies in a file only when the header is long
// enough to hold it.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "base/byte_image.h"
#include "base/byte_reader.h"
#include "typfile/typ_clock.h"
#include "typfile/typ_file.h"

namespace kestrel::typ::hdr {

inline constexpr std::uint16_t kShortLength = 0x5B;  // up to the draw order
inline constexpr std::uint16_t kMkgmapLength = 0x9C; // with icon sets and their labels
inline constexpr std::uint16_t kLongLength = 0xAE;   // with the active-route index

inline constexpr std::size_t kLength = 0x00;    // u16
inline constexpr std::size_t kSignature = 0x02; // "GARMIN TYP"
inline constexpr std::size_t kOne = 0x0C;       // u8, 1 in every file seen
inline constexpr std::size_t kYear = 0x0E;      // u16: the year, or year - 1900 (high byte 0)
inline constexpr std::size_t kMonth = 0x10;     // u8, 1 to 12
inline constexpr std::size_t kDay = 0x11;       // u8
inline constexpr std::size_t kHour = 0x12;      // u8, then minute and second
inline constexpr std::size_t kCodePage = 0x15;  // u16
inline constexpr std::size_t kFamilyId = 0x2F;  // u16
inline constexpr std::size_t kProductId = 0x31; // u16
inline constexpr std::string_view kSignatureText = "GARMIN TYP";

// Data sections: u32 offset, u32 length.
inline constexpr std::size_t kPointData = 0x17;
inline constexpr std::size_t kLineData = 0x1F;
inline constexpr std::size_t kPolygonData = 0x27;
inline constexpr std::size_t kIconData = 0x66;
inline constexpr std::size_t kLabels = 0x72;
inline constexpr std::size_t kStringIndex = 0x82;
inline constexpr std::size_t kTypeIndex = 0x92;
inline constexpr std::size_t kSlot5 = 0x9C; // long form, unused

// Index sections: u32 offset, u16 record size, u32 length.
inline constexpr std::size_t kPointIndex = 0x33;
inline constexpr std::size_t kLineIndex = 0x3D;
inline constexpr std::size_t kPolygonIndex = 0x47;
inline constexpr std::size_t kDrawOrder = 0x51;
inline constexpr std::size_t kIconIndex = 0x5B;
inline constexpr std::size_t kActiveRouteIndex = 0xA4;

// mkgmap's constants of the 0x9C form; what they mean is not known.
inline constexpr std::size_t kIconMark = 0x65;          // u8, 0x13
inline constexpr std::size_t kStringIndexRecord = 0x7A; // u32: the string index's record size
inline constexpr std::size_t kStringIndexMark = 0x7E;   // u32, 0x1B
inline constexpr std::size_t kTypeIndexRecord = 0x8A;   // u32: the type index's record size
inline constexpr std::size_t kTypeIndexMark = 0x8E;     // u32, 0x1B
inline constexpr std::uint8_t kIconMarkValue = 0x13;
inline constexpr std::uint32_t kIndexMarkValue = 0x1B;

// True when the header (of `length` bytes) holds the field that ends at `end`.
constexpr bool holds(std::uint16_t length, std::size_t end) {
    return end <= length;
}

// The header's date: the full year, or (when its high byte is 0) the year less 1900.
DateTime readDate(const ByteReader& file);
void putDate(ByteImage& out, const DateTime& when);

// The identity of a TYP file's header; nothing when the bytes are no TYP file.
std::optional<Identity> readIdentity(std::span<const std::uint8_t> file);
// Sets the family ID, product and code page of a TYP file's header in place; false (nothing
// changed) when the bytes are no TYP file.
bool setIdentity(std::span<std::uint8_t> file, const Identity& identity);

} // namespace kestrel::typ::hdr
