#include "mapread/rgn_extended_scan.h"

#include <array>
#include <utility>

#include "base/text.h"
#include "mapread/rgn_header.h"

namespace kestrel {
namespace {

// Known lengths of records whose length byte L is 0, by the next byte M.
using Lengths = std::pair<std::uint32_t, std::uint32_t>;
constexpr auto kLengthsAfterZero = std::to_array<Lengths>({{59, 9}, {35, 20}, {45, 9}});
// Known lengths of records whose length byte L is 0xFF, by the next byte M.
constexpr auto kLengthsAfterFF = std::to_array<Lengths>(
    {{17, 15}, {18, 22}, {19, 28}, {22, 22}, {27, 25}, {33, 20}, {43, 15}, {66, 19}});

template <std::size_t N>
std::uint32_t lookup(const std::array<Lengths, N>& table, std::uint32_t m) {
    for (const auto& [key, len] : table)
        if (key == m) return len;
    return 0;
}

constexpr std::uint32_t kFlagLabel = 0x20;
constexpr std::uint32_t kFlagExtraBytes = 0x80;
constexpr std::uint32_t kLabelBytes = 3;
constexpr std::int64_t kFixedBytes = 6;            // type, flags and the first point
constexpr std::uint32_t kFirstExtendedOnly = 0x40; // the normal path adds types below this
constexpr std::uint32_t kBomboutMaxType = 64;
// The levels the draw order gets for polygons that no overview listed.
constexpr std::uint32_t kWalkLevel = 1;
constexpr std::uint32_t kBomboutLevel = 2;

} // namespace

RgnExtendedScan::PointData RgnExtendedScan::pointData(std::uint32_t l, std::uint32_t m,
                                                      std::uint32_t value16) {
    if (l == 0xFF) return {lookup(kLengthsAfterFF, m), 2};
    if (l == 0) return {lookup(kLengthsAfterZero, m), 2};
    if (l % 2 == 1) return {(l + 1) / 2, 0};
    if (l % 8 != 0) return {(value16 + 3) / 4, 1};
    return {0, 0};
}

void RgnExtendedScan::getrgn_beyond(int kind) {
    const std::int64_t r0 = map_.rgnStart;
    if (buf_.dat(r0 + rgn::kHeaderLength) < rgn::kMinLengthForLines) return;
    const bool lines = kind == kLines;
    const std::int64_t offset = buf_.bit4(r0 + (lines ? rgn::kLineOffset : rgn::kPolygonOffset));
    const std::int64_t size = buf_.bit4(r0 + (lines ? rgn::kLineSize : rgn::kPolygonSize));
    const std::int64_t start = map_.rgnBase() + offset;
    if (start == r0 || size == 0) return;
    ui_.busy(true);
    std::int64_t r = 0;
    do {
        const std::int64_t p = start + r;
        const std::uint32_t type = buf_.dat(p);
        const std::uint32_t flags = buf_.dat(p + 1);
        const std::uint32_t label = (flags & kFlagLabel) ? kLabelBytes : 0;
        if (flags & kFlagExtraBytes) return;
        const TypeCode code = extendedCode(type, flags % 32);
        const PointData d = pointData(buf_.dat(p + 6), buf_.dat(p + 7), buf_.bit2(p + 6));
        if (d.len == 0) {
            bombout(inv_, kind, code);
            return;
        }
        if (type < kFirstExtendedOnly) {
            TypeCode starred = code;
            starred.tail = CodeTail::Star;
            if (kind == kPolygons && !inv_.seenpoly.has(code)) {
                inv_.list(kPolygons).emplace_back(starred, Origin::RgnExtendedWalk,
                                                  LevelNote{starred, kWalkLevel});
                inv_.seenpoly.add(code);
            } else if (kind == kLines && !inv_.seenline.has(code)) {
                inv_.list(kLines).emplace_back(starred, Origin::RgnExtendedWalk);
                inv_.seenline.add(code);
            }
        }
        ui_.yield();
        r += kFixedBytes + d.len + d.lf + label;
    } while (r + 1 <= size && !ui_.stopflag());
}

void RgnExtendedScan::bombout(TypeInventory& inv, int kind, const TypeCode& code) {
    const std::uint32_t type = (code.value >> 8) & 0xFF;
    if ((kind == kPolygons || kind == kLines) && type > kBomboutMaxType) return;
    CodeGuard& guard = kind == kPolygons ? inv.seenpoly
                       : kind == kLines  ? inv.seenline
                                         : inv.seenpoi;
    if (guard.has(code)) return;
    std::optional<LevelNote> note;
    if (kind == kPolygons) note = LevelNote{code, kBomboutLevel};
    inv.list(kind).emplace_back(code, Origin::Bombout, note);
    guard.add(code);
}

} // namespace kestrel
