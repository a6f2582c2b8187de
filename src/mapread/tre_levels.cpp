#include "mapread/tre_levels.h"

#include "mapread/tre_header.h"

namespace kestrel {
namespace {

// A 24-bit signed number.
std::int32_t signed24(const SubfileView& tre, std::int64_t at) {
    const std::uint32_t v = tre.bit3(at);
    return static_cast<std::int32_t>(v << 8) >> 8;
}

void readSubdivisions(TreLevels& t, const SubfileView& tre, std::int64_t header) {
    const std::int64_t begin = tre.bit4(header + tre::kSubdivisionsOffset);
    const std::int64_t size = tre.bit4(header + tre::kSubdivisionsSize);
    if (!tre.holds(begin, 0)) {
        t.stop = SubfileStop{DecodeStop::LevelsDamaged, header + tre::kSubdivisionsOffset};
        return;
    }
    const std::int64_t end = tre.holds(begin, size) ? begin + size : tre.size();
    std::int64_t at = begin;
    for (std::size_t level = 0; level < t.levels.size(); ++level) {
        const bool lowest = level + 1 == t.levels.size();
        const std::int64_t record =
            lowest ? tre::kLowestSubdivisionRecord : tre::kSubdivisionRecord;
        for (std::uint32_t i = 0; i < t.levels[level].subdivisions; ++i, at += record) {
            if (at + record > end) {
                t.stop = SubfileStop{DecodeStop::LevelsDamaged, at};
                return;
            }
            t.subdivisions.push_back(
                {tre.bit3(at),
                 tre.dat(at + 3),
                 static_cast<std::uint8_t>(level),
                 {},
                 {signed24(tre, at + tre::kCentreLon), signed24(tre, at + tre::kCentreLat)},
                 static_cast<std::uint16_t>(tre.bit2(at + tre::kHalfWidth) & tre::kHalfWidthBits),
                 static_cast<std::uint16_t>(tre.bit2(at + tre::kHalfHeight))});
        }
    }
}

// The records belong to the last subdivisions, in order, and one more record closes the last
// range (writers may leave out the records of the top levels).
void readExtendedRanges(TreLevels& t, const SubfileView& tre, std::int64_t header) {
    const std::int64_t begin = tre.bit4(header + tre::kExtTypeOffsets);
    const std::int64_t size = tre.bit4(header + tre::kExtTypeOffsetsSize);
    const std::int64_t record = tre.bit2(header + tre::kExtTypeOffsetsRecord);
    if (size == 0 || record < tre::kExtTypeOffsetsMinRecord) return;
    const std::int64_t count = size / record;
    const auto subdivisions = static_cast<std::int64_t>(t.subdivisions.size());
    if (!tre.holds(begin, size) || count > subdivisions + 1) {
        t.stop = SubfileStop{DecodeStop::ExtendedOffsetsDamaged, header + tre::kExtTypeOffsets};
        return;
    }
    t.hasExtendedRanges = true;
    const std::int64_t first = subdivisions + 1 - count;
    std::array<std::uint32_t, 3> previous{};
    for (std::int64_t k = 0; k < count; ++k) {
        const std::int64_t at = begin + k * record;
        const std::array<std::uint32_t, 3> offsets{tre.bit4(at), tre.bit4(at + 4),
                                                   tre.bit4(at + 8)};
        if (k > 0) {
            Subdivision& s = t.subdivisions[static_cast<std::size_t>(first + k - 1)];
            for (std::size_t kind = 0; kind < offsets.size(); ++kind) {
                if (offsets[kind] < previous[kind]) {
                    t.stop = SubfileStop{DecodeStop::ExtendedOffsetsDamaged, at};
                    return;
                }
                s.extended[kind] = {previous[kind], offsets[kind]};
            }
        }
        previous = offsets;
    }
}

} // namespace

TreLevels TreLevels::read(const SubfileView& tre, std::int64_t header) {
    TreLevels t;
    const std::int64_t length = tre.bit2(header + tre::kHeaderLength);
    if (length < tre::kMinHeaderForLevels || !tre.holds(header, length)) {
        t.stop = SubfileStop{DecodeStop::LevelsDamaged, header};
        return t;
    }
    if (tre.dat(header + tre::kLock) & tre::kLocked) {
        t.stop = SubfileStop{DecodeStop::LevelsLocked, header + tre::kLock};
        return t;
    }
    t.area = {signed24(tre, header + tre::kNorth), signed24(tre, header + tre::kEast),
              signed24(tre, header + tre::kSouth), signed24(tre, header + tre::kWest)};
    const std::int64_t begin = tre.bit4(header + tre::kLevelsOffset);
    const std::int64_t count = tre.bit4(header + tre::kLevelsSize) / tre::kLevelRecord;
    if (count == 0 || count > static_cast<std::int64_t>(tre::kMaxLevels) ||
        !tre.holds(begin, count * tre::kLevelRecord)) {
        t.stop = SubfileStop{DecodeStop::LevelsDamaged, header + tre::kLevelsOffset};
        return t;
    }
    for (std::int64_t i = 0; i < count; ++i) {
        const std::int64_t at = begin + i * tre::kLevelRecord;
        t.levels.push_back({static_cast<std::uint8_t>(tre.dat(at) & tre::kZoomBits),
                            tre.dat(at + 1), static_cast<std::uint16_t>(tre.bit2(at + 2))});
    }
    readSubdivisions(t, tre, header);
    if (!t.stop && length >= tre::kMinHeaderForExtTypeOffsets) readExtendedRanges(t, tre, header);
    return t;
}

} // namespace kestrel
