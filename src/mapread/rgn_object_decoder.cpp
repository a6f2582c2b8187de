#include "mapread/rgn_object_decoder.h"

#include <algorithm>
#include <array>

#include "mapread/record_cursor.h"
#include "mapread/rgn_header.h"

namespace kestrel {
namespace {

constexpr std::array<std::uint8_t, 4> kContentOrder{kHasPoints, kHasIndexedPoints, kHasPolylines,
                                                    kHasPolygons};

} // namespace

RgnObjectDecoder::RgnObjectDecoder(const SubfileView& rgn, std::int64_t header) : rgn_(rgn) {
    data_ = rgn.bit4(header + rgn::kDataOffset);
    dataEnd_ = data_ + rgn.bit4(header + rgn::kDataSize);
}

std::optional<SubfileStop> RgnObjectDecoder::decode(const TreLevels& tre, TypeTally& tally,
                                                    UiPort& ui) const {
    // A subdivision's data ends where the next subdivision with content begins; what lies past
    // the end of the subfile is cut off, with a note.
    const Subdivision* open = nullptr;
    auto close = [&](std::int64_t end) -> std::optional<SubfileStop> {
        const std::int64_t begin = data_ + open->rgnOffset;
        if (begin > end || begin > rgn_.size())
            return SubfileStop{DecodeStop::SubdivisionDamaged, begin};
        const std::int64_t inside = std::min(end, rgn_.size());
        if (auto stop =
                subdivision(begin, inside, open->content, tre.levels[open->level].zoom, tally))
            return stop;
        if (inside < end) return SubfileStop{DecodeStop::RecordDamaged, inside};
        return std::nullopt;
    };
    for (const Subdivision& s : tre.subdivisions) {
        if ((s.content & (kHasPoints | kHasIndexedPoints | kHasPolylines | kHasPolygons)) == 0)
            continue;
        ui.yield();
        if (ui.stopflag()) return SubfileStop{DecodeStop::Stopped, data_ + s.rgnOffset};
        if (open)
            if (auto stop = close(data_ + s.rgnOffset)) return stop;
        open = &s;
    }
    if (open) return close(dataEnd_);
    return std::nullopt;
}

std::optional<SubfileStop> RgnObjectDecoder::subdivision(std::int64_t begin, std::int64_t end,
                                                         std::uint8_t content, unsigned zoom,
                                                         TypeTally& tally) const {
    std::array<std::uint8_t, 4> kinds{};
    std::size_t n = 0;
    for (std::uint8_t flag : kContentOrder)
        if (content & flag) kinds[n++] = flag;
    // The first kind starts after the pointers to the others.
    std::array<std::int64_t, 5> starts{};
    starts[0] = begin + 2 * static_cast<std::int64_t>(n - 1);
    for (std::size_t i = 1; i < n; ++i) starts[i] = begin + rgn_.bit2(begin + 2 * (i - 1));
    starts[n] = end;
    for (std::size_t i = 0; i < n; ++i)
        if (starts[i] > starts[i + 1]) return SubfileStop{DecodeStop::SubdivisionDamaged, begin};
    for (std::size_t i = 0; i < n; ++i) {
        std::optional<SubfileStop> stop;
        if (kinds[i] == kHasPolylines)
            stop = polys(ObjectKind::Line, starts[i], starts[i + 1], zoom, tally);
        else if (kinds[i] == kHasPolygons)
            stop = polys(ObjectKind::Polygon, starts[i], starts[i + 1], zoom, tally);
        else
            stop = points(starts[i], starts[i + 1], zoom, tally);
        if (stop) return stop;
    }
    return std::nullopt;
}

std::optional<SubfileStop> RgnObjectDecoder::points(std::int64_t begin, std::int64_t end,
                                                    unsigned zoom, TypeTally& tally) const {
    RecordCursor c(rgn_, begin, end);
    while (c.more()) {
        const std::int64_t record = c.at();
        const std::uint32_t type = c.u8();
        const std::uint32_t label = c.u24();
        c.skip(rgn::kPointBytes - 4);
        const std::uint32_t subtype = (label & rgn::kPointHasSubtype) ? c.u8() : 0;
        if (c.failed()) return SubfileStop{DecodeStop::RecordDamaged, record};
        tally.add(ObjectKind::Point, type << 8 | subtype, zoom);
    }
    return std::nullopt;
}

std::optional<SubfileStop> RgnObjectDecoder::polys(ObjectKind kind, std::int64_t begin,
                                                   std::int64_t end, unsigned zoom,
                                                   TypeTally& tally) const {
    const std::uint32_t mask =
        kind == ObjectKind::Line ? rgn::kLineTypeMask : rgn::kPolygonTypeMask;
    RecordCursor c(rgn_, begin, end);
    while (c.more()) {
        const std::int64_t record = c.at();
        const std::uint32_t type = c.u8();
        c.skip(rgn::kPolyFixedBytes - 1);
        const std::uint32_t length = (type & rgn::kPolyTwoByteLength) ? c.u16() : c.u8();
        c.skip(1 + static_cast<std::int64_t>(length)); // the info byte, then the bitstream
        if (c.failed()) return SubfileStop{DecodeStop::RecordDamaged, record};
        tally.add(kind, (type & mask) << 8, zoom);
    }
    return std::nullopt;
}

} // namespace kestrel
