#pragma once
// The map levels and subdivisions of a TRE subfile, and the extended-type offsets that say which
// part of the RGN extended sections belongs to each subdivision.
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "mapread/decode_note.h"
#include "mapread/subfile_view.h"

namespace kestrel {

namespace tre {
inline constexpr std::int64_t kLock = 0x0D;                 // 0x0D
inline constexpr std::uint8_t kLocked = 0x80;               // in kLock: the levels are scrambled
inline constexpr std::int64_t kLevelsOffset = 0x21;         // 0x21-0x24
inline constexpr std::int64_t kLevelsSize = 0x25;           // 0x25-0x28
inline constexpr std::int64_t kSubdivisionsOffset = 0x29;   // 0x29-0x2C
inline constexpr std::int64_t kSubdivisionsSize = 0x2D;     // 0x2D-0x30
inline constexpr std::int64_t kExtTypeOffsets = 0x7C;       // 0x7C-0x7F
inline constexpr std::int64_t kExtTypeOffsetsSize = 0x80;   // 0x80-0x83
inline constexpr std::int64_t kExtTypeOffsetsRecord = 0x84; // 0x84-0x85
// The map's area, 24-bit signed map units: north 0x15-0x17, east 0x18-0x1A, south 0x1B-0x1D,
// west 0x1E-0x20.
inline constexpr std::int64_t kNorth = 0x15;
inline constexpr std::int64_t kEast = 0x18;
inline constexpr std::int64_t kSouth = 0x1B;
inline constexpr std::int64_t kWest = 0x1E;
// Map level record (4 bytes): zoom in bits 0-3 of byte 0, bits per coordinate in byte 1, number
// of subdivisions in bytes 2-3 (the inherited flag in bit 7 of byte 0 is not needed).
inline constexpr std::int64_t kLevelRecord = 4;
inline constexpr std::uint8_t kZoomBits = 0x0F;
inline constexpr std::uint8_t kMaxBits = 24; // map units are 24-bit
// Subdivision record: RGN offset 0-2, content 3, centre longitude 4-6 and latitude 7-9 (signed
// map units), half width 10-11 (bit 15: last of its parent's) and half height 12-13 in the
// level's units, then the next level's first subdivision, which no reader needs (the lowest
// level's records lack those two bytes).
inline constexpr std::int64_t kCentreLon = 4;
inline constexpr std::int64_t kCentreLat = 7;
inline constexpr std::int64_t kHalfWidth = 10;
inline constexpr std::int64_t kHalfHeight = 12;
inline constexpr std::uint32_t kHalfWidthBits = 0x7FFF;
inline constexpr std::int64_t kSubdivisionRecord = 16;
inline constexpr std::int64_t kLowestSubdivisionRecord = 14;
// Extended-type offsets record: polygon, line and point offsets (0-3, 4-7, 8-11), then a kinds
// byte that the scans do not need.
inline constexpr std::int64_t kExtTypeOffsetsMinRecord = 12;
inline constexpr std::int64_t kMinHeaderForExtTypeOffsets = 0x86;
inline constexpr std::int64_t kMinHeaderForLevels = 0x31;
inline constexpr std::size_t kMaxLevels = 16;
} // namespace tre

// Content flags of a subdivision.
enum SubdivisionContent : std::uint8_t {
    kHasPoints = 0x10,
    kHasIndexedPoints = 0x20,
    kHasPolylines = 0x40,
    kHasPolygons = 0x80,
};

struct MapLevel {
    std::uint8_t zoom = 0; // the level's number, 0 being the most detailed
    std::uint8_t bits = 0; // bits per coordinate: deltas count in units of 2^(24 - bits)
    std::uint16_t subdivisions = 0;
};

// Map units: 2^24 of them go round the earth (360 / 2^24 degrees each).
struct MapPoint {
    std::int32_t lon = 0;
    std::int32_t lat = 0;
    bool operator==(const MapPoint&) const = default;
};

// An area in map units, its edges included.
struct MapArea {
    std::int32_t north = 0, east = 0, south = 0, west = 0;
    bool operator==(const MapArea&) const = default;
};

// A part of an RGN extended section: from `begin` to `end`, offsets in the section.
struct ExtendedRange {
    std::uint32_t begin = 0;
    std::uint32_t end = 0;
};

struct Subdivision {
    std::uint32_t rgnOffset = 0;             // from the start of the RGN data section
    std::uint8_t content = 0;                // SubdivisionContent flags
    std::uint8_t level = 0;                  // index into the levels table
    std::array<ExtendedRange, 3> extended{}; // polygons, lines, points
    MapPoint centre;                         // the origin of its objects' deltas
    std::uint16_t halfWidth = 0;             // in the level's units
    std::uint16_t halfHeight = 0;
};

struct TreLevels {
    MapArea area;                 // the map's area as its header gives it
    std::vector<MapLevel> levels; // as stored: the least detailed first
    std::vector<Subdivision> subdivisions;
    bool hasExtendedRanges = false;
    std::optional<SubfileStop> stop; // where reading stopped; what was read before stays

    // Reads the tables of the TRE header at `header`; offsets in it count from the start of
    // `tre` (the TRE subfile, or the GMP subfile of an NT map).
    static TreLevels read(const SubfileView& tre, std::int64_t header);
};

// The levels and subdivisions were read whole (damaged extended-type offsets aside): the RGN
// subfile may be decoded with them.
inline bool levelsUsable(const TreLevels& t) {
    return !t.stop || t.stop->why == DecodeStop::ExtendedOffsetsDamaged;
}

} // namespace kestrel
