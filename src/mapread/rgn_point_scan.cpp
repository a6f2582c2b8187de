#include "mapread/rgn_point_scan.h"

#include <array>
#include <string>
#include <utility>

#include "base/text.h"
#include "mapread/rgn_header.h"

namespace kestrel {
namespace {

constexpr std::size_t kMaxPois = 4000;
constexpr std::uint32_t kFlagLabel = 0x20;
constexpr std::uint32_t kFlagEndMarker = 0x40;
constexpr std::uint32_t kFlagExtraBytes = 0x80;
constexpr std::uint32_t kLabelBytes = 3;
constexpr std::int64_t kFixedBytes = 6;
constexpr std::int64_t kExtraBytes = 6; // extra bytes of a record with a small first byte
constexpr std::uint32_t kFirstLongExtra = 0xE2;
constexpr std::uint8_t kEndMarker = 0x87;
constexpr std::int64_t kEndMarkerSearch = 100; // bytes searched for the NT end marker
constexpr std::int64_t kZeroRecord = 6;        // an all-zero record: type 0, no flags

// NT records with long extra data: their length by the byte after the first extra byte.
using ExtraLength = std::pair<std::uint32_t, std::int64_t>;
constexpr auto kNtExtraLengths = std::to_array<ExtraLength>({{45, 95},
                                                             {55, 117},
                                                             {61, 104},
                                                             {65, 40},
                                                             {67, 107},
                                                             {69, 108},
                                                             {71, 109},
                                                             {75, 111},
                                                             {79, 53},
                                                             {83, 48},
                                                             {87, 151},
                                                             {89, 58},
                                                             {91, 63},
                                                             {123, 68}});

// "0x1TTSS " for a record's type byte and subtype.
TypeCode pointCode(std::uint32_t type, std::uint32_t subtype) {
    return TypeCode(0x10000 | type << 8 | subtype, CodeDigits::Extended, CodeTail::Blank);
}

} // namespace

bool RgnPointScan::full() const {
    return inv_.list(kPois).size() > kMaxPois;
}

void RgnPointScan::addCompleted(const TypeCode& code) {
    if (inv_.extpois.has(code)) return;
    inv_.extpois.add(code);
    inv_.list(kPois).emplace_back(code, Origin::RgnPointWalk);
}

std::int64_t RgnPointScan::recordLength(std::int64_t flagsAt, std::uint32_t type,
                                        std::uint32_t flags, bool& jumpToEnd) const {
    const std::int64_t rec = flagsAt - 1;
    const std::int64_t lab = (flags & kFlagLabel) ? kLabelBytes : 0;
    std::int64_t rlen = kFixedBytes + lab;
    jumpToEnd = false;
    if (flags & kFlagExtraBytes) {
        const std::uint32_t y = buf_.dat(rec + kFixedBytes + lab);
        if (y < kFirstLongExtra) {
            jumpToEnd = true;
            return rlen + kExtraBytes;
        }
        if (!map_.fngmp()) return rlen;
        const std::uint32_t x = buf_.dat(rec + kFixedBytes + 1 + lab);
        for (const auto& [key, len] : kNtExtraLengths)
            if (key == x) return len + 1;
        return 0;
    }
    if ((flags & kFlagEndMarker) && map_.fngmp()) {
        for (std::int64_t k = 1; k <= kEndMarkerSearch; ++k)
            if (buf_.dat(rec + 1 + k) == kEndMarker) return type == kEndMarker ? k + 1 : k + 2;
    }
    return rlen;
}

void RgnPointScan::getpoi_extended() {
    if (full()) return;
    const std::int64_t r0 = map_.rgnStart;
    const std::int64_t start = map_.rgnBase() + buf_.bit4(r0 + rgn::kPointOffset);
    if (buf_.dat(r0 + rgn::kHeaderLength) < rgn::kMinLengthForPoints) return;
    const std::int64_t size = buf_.bit4(r0 + rgn::kPointSize);
    ui_.setStopflag(false);
    if (size == 0) return;
    ui_.busy(true);
    // i walks the section byte by byte (0 to size inclusive); each record is handled at its
    // type byte and its flag byte, then i moves to the record's last byte.
    for (std::int64_t i = 0; i <= size; ++i) {
        const std::int64_t at = start + i;
        // A run of zero bytes is a run of identical 6-byte records: one is enough.
        const std::int64_t zeros = buf_.zeroRun(at, size - i + 1);
        if (zeros >= kZeroRecord) {
            addCompleted(pointCode(0, 0));
            ui_.yield();
            i += (zeros / kZeroRecord) * kZeroRecord - 1;
            if (ui_.stopflag() || full()) break;
            continue;
        }
        const std::uint32_t type = buf_.dat(at);
        if (i + 1 > size) break; // the flag byte lies beyond the section
        const std::uint32_t flags = buf_.dat(at + 1);
        const TypeCode code = pointCode(type, flags % 32);
        bool jumpToEnd = false;
        const std::int64_t rlen = recordLength(at + 1, type, flags, jumpToEnd);
        ui_.yield();
        if (rlen == 0) {
            if (!inv_.seenpoi.has(code) && !full()) {
                inv_.seenpoi.add(code);
                inv_.list(kPois).emplace_back(code, Origin::RgnPointWalk);
            }
            break;
        }
        // The record is complete at its last byte, i + rlen - 1; a record running past the
        // section's end is not complete, except when the walk jumps there directly.
        const std::int64_t last = i + rlen - 1;
        if (last > size && !jumpToEnd) break;
        addCompleted(code);
        i = last;
        if (ui_.stopflag() || full()) break;
    }
    ui_.busy(false);
}

} // namespace kestrel
