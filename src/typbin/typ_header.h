#pragma once
// The header of the binary TYP files this program writes: a short form of 0x5B bytes (POIs,
// lines, polygons) and a long form of 0xAE bytes (active routes, extra POIs). Fields not written
// stay zero.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "typfile/typ_clock.h"
#include "typbin/typ_image.h"

namespace kestrel {

namespace typhdr {
inline constexpr std::size_t kShortSize = 0x5B; // header length of POI, line, polygon files
inline constexpr std::size_t kLongSize = 0xAE;  // header length of active-route, extra POI files

inline constexpr std::size_t kHeaderLength = 0x00;           // 0x00-0x01 u16
inline constexpr std::size_t kMarker = 0x02;                 // 0x02-0x0B "GARMIN TYP"
inline constexpr std::size_t kConstant = 0x0C;               // 0x0C u8, always 1
inline constexpr std::size_t kYear = 0x0E;                   // 0x0E-0x0F u16, year mod 100 + 100
inline constexpr std::size_t kDay = 0x10;                    // 0x10 u8 (day before month)
inline constexpr std::size_t kMonth = 0x11;                  // 0x11 u8
inline constexpr std::size_t kHour = 0x12;                   // 0x12 u8
inline constexpr std::size_t kMinute = 0x13;                 // 0x13 u8
inline constexpr std::size_t kSecond = 0x14;                 // 0x14 u8
inline constexpr std::size_t kCodepage = 0x15;               // 0x15-0x16 u16
inline constexpr std::size_t kPointDataOffset = 0x17;        // 0x17-0x1A u32
inline constexpr std::size_t kPointDataLength = 0x1B;        // 0x1B-0x1E u32
inline constexpr std::size_t kLineDataOffset = 0x1F;         // 0x1F-0x22 u32
inline constexpr std::size_t kLineDataLength = 0x23;         // 0x23-0x26 u32
inline constexpr std::size_t kPolygonDataOffset = 0x27;      // 0x27-0x2A u32
inline constexpr std::size_t kPolygonDataLength = 0x2B;      // 0x2B-0x2E u32
inline constexpr std::size_t kFamilyId = 0x2F;               // 0x2F-0x30 u16
inline constexpr std::size_t kProductId = 0x31;              // 0x31-0x32 u16
inline constexpr std::size_t kPointIndexOffset = 0x33;       // 0x33-0x36 u32
inline constexpr std::size_t kPointIndexRecordSize = 0x37;   // 0x37-0x38 u16
inline constexpr std::size_t kPointIndexLength = 0x39;       // 0x39-0x3C u32
inline constexpr std::size_t kLineIndexOffset = 0x3D;        // 0x3D-0x40 u32
inline constexpr std::size_t kLineIndexRecordSize = 0x41;    // 0x41-0x42 u16
inline constexpr std::size_t kLineIndexLength = 0x43;        // 0x43-0x46 u32
inline constexpr std::size_t kPolygonIndexOffset = 0x47;     // 0x47-0x4A u32
inline constexpr std::size_t kPolygonIndexRecordSize = 0x4B; // 0x4B-0x4C u16
inline constexpr std::size_t kPolygonIndexLength = 0x4D;     // 0x4D-0x50 u32
inline constexpr std::size_t kDrawOrderOffset = 0x51;        // 0x51-0x54 u32, always 0
inline constexpr std::size_t kDrawOrderRecordSize = 0x55;    // 0x55-0x56 u16, always 0
inline constexpr std::size_t kDrawOrderLength = 0x57;        // 0x57-0x5A u32, always 0

// Long form only.
inline constexpr std::size_t kSlot0RecordSize = 0x5F;        // 0x5F-0x60 u16, 6 in extra POI files
inline constexpr std::size_t kIconSetFlag = 0x65;            // 0x65 u8
inline constexpr std::size_t kSlot2Constant = 0x7A;          // 0x7A-0x7D u32, 6
inline constexpr std::size_t kSlot2Tail = 0x7E;              // 0x7E-0x81 u32, 0x1B
inline constexpr std::size_t kSlot3Constant = 0x8A;          // 0x8A-0x8D u32, 6
inline constexpr std::size_t kSlot3Tail = 0x8E;              // 0x8E-0x91 u32, 0x1B
inline constexpr std::size_t kSlot4Constant = 0x9A;          // 0x9A-0x9B u16, 0x13
inline constexpr std::size_t kActiveRouteIndexOffset = 0xA4; // 0xA4-0xA7 u32
inline constexpr std::size_t kActiveRouteIndexRecordSize = 0xA8; // 0xA8-0xA9 u16
inline constexpr std::size_t kActiveRouteIndexLength = 0xAA;     // 0xAA-0xAD u32

// Offset and length fields (u32 each) of the six section slots of the extra POI file.
inline constexpr std::array<std::size_t, 6> kSlotOffset{0x5B, 0x66, 0x72, 0x82, 0x92, 0x9C};
inline constexpr std::array<std::size_t, 6> kSlotLength{0x61, 0x6A, 0x76, 0x86, 0x96, 0xA0};

// Where the first slot of an extra POI file starts; 0xAE to 0xC3 stay zero.
inline constexpr std::size_t kExtraPoiFirstSection = 0xC4;

inline constexpr std::string_view kMarkerText = "GARMIN TYP";
inline constexpr std::uint16_t kFamilyIdValue = 5778; // 0x1692
inline constexpr std::uint16_t kProductIdValue = 1;
} // namespace typhdr

// What every header records besides its sections.
struct TypHeaderInfo {
    typ::DateTime when;
    std::uint16_t codepage = 1252; // `CodePage::number` of the code-page box
};

// Writes the header length, marker, date and time, code page, family and product ID.
void writeCommonHeader(ByteImage& image, std::uint16_t headerLength, const TypHeaderInfo& info);

} // namespace kestrel
