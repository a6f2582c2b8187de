#pragma once
// The fields of a TRE subfile header that the reader uses.
#include <cstdint>

#include "mapread/map_buffer.h"

namespace kestrel {

namespace tre {
inline constexpr std::int64_t kHeaderLength = 0x00;     // 0x00-0x01
inline constexpr std::int64_t kLineOffset = 0x4A;       // 0x4A-0x4D, from the TRE header
inline constexpr std::int64_t kLineSize = 0x4E;         // 0x4E-0x51
inline constexpr std::int64_t kLineRecord = 0x52;       // 0x52-0x53
inline constexpr std::int64_t kPolygonOffset = 0x58;    // 0x58-0x5B, from the TRE header
inline constexpr std::int64_t kPolygonSize = 0x5C;      // 0x5C-0x5F
inline constexpr std::int64_t kPolygonRecord = 0x60;    // 0x60-0x61
inline constexpr std::int64_t kMapId = 0x74;            // 0x74-0x77, signed
inline constexpr std::int64_t kExtendedOffset = 0x8A;   // 0x8A-0x8D, from the extended base
inline constexpr std::int64_t kExtendedSize = 0x8E;     // 0x8E-0x91
inline constexpr std::int64_t kExtendedRecord = 0x92;   // 0x92-0x93
inline constexpr std::int64_t kExtendedLines = 0x94;    // 0x94-0x95
inline constexpr std::int64_t kExtendedPolygons = 0x96; // 0x96-0x97
inline constexpr std::int64_t kExtendedPoints = 0x98;   // 0x98-0x99
// The extended overview exists only in headers at least this long.
inline constexpr std::uint32_t kMinExtendedHeader = 138;
// Extended overview records of this size or larger are not read.
inline constexpr std::uint32_t kMaxExtendedRecord = 13;
} // namespace tre

// One overview table: where it starts (absolute), its size in bytes and its record size.
struct Overview {
    std::int64_t start = 0;
    std::int64_t size = 0;
    std::uint32_t record = 0;
};

struct TreHeader {
    std::uint32_t length = 0;
    Overview lines;
    Overview polygons;
    Overview extended;
    std::uint32_t extendedLines = 0;
    std::uint32_t extendedPolygons = 0;
    std::uint32_t extendedPoints = 0;
    std::int32_t mapId = 0;

    // Reads the header at `treStart`; the extended overview's offset counts from `extendedBase`
    // (the GMP header of an NT map, else the TRE header).
    static TreHeader read(const MapBuffer& buf, std::int64_t treStart, std::int64_t extendedBase);

    bool hasExtendedOverview() const {
        return length >= tre::kMinExtendedHeader && extended.size > 0 &&
               extended.record < tre::kMaxExtendedRecord;
    }
};

} // namespace kestrel
