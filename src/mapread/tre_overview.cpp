#include "mapread/tre_overview.h"

#include <algorithm>
#include <string>

#include "base/text.h"

namespace kestrel {
namespace {

constexpr std::size_t kMaxOverviewPolygons = 300;

// How many records after the one at section offset i lie wholly outside the file (and so read
// exactly like it: all zero) in their first `width` bytes. A record size of 0 never gets here.
std::int64_t identicalFollowers(const MapBuffer& buf, const Overview& ov, std::int64_t i,
                                std::int64_t width) {
    const std::int64_t remaining = ov.size - i; // bytes of the section from this record on
    const std::int64_t out = buf.outsideRun(ov.start + i, remaining + width);
    if (out < width) return 0;
    const std::int64_t rs = ov.record;
    const std::int64_t inRun = (out - width) / rs;       // followers whose bytes are outside
    const std::int64_t inSection = (remaining - 1) / rs; // followers inside the section
    return std::min(inRun, inSection);
}

void addPolygonLevel(TypeInventory& inv, std::uint32_t level) {
    const std::string h = hex(level);
    if (!contains(inv.polylevels, h)) inv.polylevels += h;
}

} // namespace

void scanLineOverview(const MapBuffer& buf, const Overview& ov, TypeInventory& inv, UiPort& ui) {
    if (ov.record == 0) return; // a record size of 0 would never advance
    for (std::int64_t i = 0; i < ov.size; i += ov.record) {
        if (ui.stopflag()) return;
        const TypeCode code{std::uint32_t{buf.dat(ov.start + i)} << 8, CodeDigits::Standard,
                            CodeTail::Blank};
        if (!inv.ovlines.has(code)) {
            inv.list(kLines).emplace_back(code, Origin::LineOverview);
            inv.ovlines.add(code);
        }
        ui.yield();
        i += identicalFollowers(buf, ov, i, 1) * ov.record;
    }
}

void addHighwayDefaults(TypeInventory& inv) {
    auto add = [&](std::uint32_t type) {
        const TypeCode code{type, CodeDigits::Bare};
        if (inv.ovlines.has(code)) return;
        inv.list(kLines).emplace_back(code, Origin::HighwaysDefault);
        inv.ovlines.add(code);
    };
    for (std::uint32_t type = 1; type <= 15; ++type) add(type);
    add(0x14);
    add(0x1F);
}

void scanPolygonOverview(const MapBuffer& buf, const Overview& ov, TypeInventory& inv, UiPort& ui) {
    if (ov.record == 0) return;
    for (std::int64_t i = 0; i < ov.size; i += ov.record) {
        const std::int64_t at = ov.start + i;
        const TypeCode code{std::uint32_t{buf.dat(at)} << 8, CodeDigits::Standard};
        auto& polygons = inv.list(kPolygons);
        if (polygons.size() < kMaxOverviewPolygons && !inv.seenpoly.has(code)) {
            const std::uint32_t level = buf.dat(at + 1);
            addPolygonLevel(inv, level);
            inv.maxlevel = std::max<int>(inv.maxlevel, static_cast<int>(level));
            polygons.emplace_back(code, Origin::PolygonOverview, LevelNote{code, level});
            inv.seenpoly.add(code);
        }
        ui.yield();
        i += identicalFollowers(buf, ov, i, 2) * ov.record;
    }
}

namespace {

enum class ExtendedKind { Line, Polygon, Point, Ignored };

// The counters that split the extended overview into lines, polygons and points.
struct ExtendedSplit {
    std::int64_t nL, nP, nT;
    std::int64_t cL = 0, cP = 0, cT = 0;

    ExtendedKind next() {
        if (cL < nL) {
            ++cL;
            return ExtendedKind::Line;
        }
        if (++cP <= nP) return ExtendedKind::Polygon;
        if (++cT <= nT) return ExtendedKind::Point;
        return ExtendedKind::Ignored;
    }

    // Skips up to n records of the same kind as the one just handled, which read exactly like
    // it: they only move the counters. Returns how many were skipped.
    std::int64_t skipSameKind(std::int64_t n, ExtendedKind kind) {
        std::int64_t m = 0;
        switch (kind) {
        case ExtendedKind::Line:
            m = std::min(n, nL - cL);
            cL += m;
            break;
        case ExtendedKind::Polygon:
            m = std::min(n, nP - cP);
            cP += m;
            break;
        case ExtendedKind::Point:
            m = std::min(n, nT - cT);
            cP += m;
            cT += m;
            break;
        case ExtendedKind::Ignored:
            m = n;
            break;
        }
        return m;
    }
};

} // namespace

void scanExtendedOverview(const MapBuffer& buf, const TreHeader& h, TypeInventory& inv,
                          UiPort& ui) {
    const Overview& ov = h.extended;
    if (!h.hasExtendedOverview() || ov.record == 0) return;
    ExtendedSplit split{h.extendedLines, h.extendedPolygons, h.extendedPoints};
    for (std::int64_t i = 0; i < ov.size; i += ov.record) {
        const std::int64_t at = ov.start + i;
        const std::uint32_t subtype = buf.dat(at + 2);
        const std::uint32_t level = buf.dat(at + 1);
        TypeCode code{0x10000 | std::uint32_t{buf.dat(at)} << 8 | subtype, CodeDigits::Extended,
                      CodeTail::Blank};
        if (subtype > 31) code.flagged = static_cast<std::uint8_t>(subtype % 32);
        const InventoryEntry entry(code, Origin::ExtendedOverview);
        const ExtendedKind kind = split.next();
        if (kind == ExtendedKind::Line) {
            if (!inv.seenline.has(code)) {
                inv.list(kLines).push_back(entry);
                inv.seenline.add(code);
            }
        } else if (kind == ExtendedKind::Polygon) {
            addPolygonLevel(inv, level);
            if (!inv.seenpoly.has(code)) {
                inv.maxlevel = std::max<int>(inv.maxlevel, static_cast<int>(level));
                inv.list(kPolygons).emplace_back(code, Origin::ExtendedOverview,
                                                 LevelNote{code, level});
                inv.seenpoly.add(code);
            }
        } else if (kind == ExtendedKind::Point) {
            if (!inv.seenpoi.has(code)) {
                inv.list(kPois).push_back(entry);
                inv.seenpoi.add(code);
            }
        }
        ui.yield();
        if (ui.stopflag()) return;
        // Records lying outside the file all read as zero: one of each kind is handled, the
        // others of that kind only move the counters.
        i += split.skipSameKind(identicalFollowers(buf, ov, i, 3), kind) * ov.record;
    }
}

} // namespace kestrel
