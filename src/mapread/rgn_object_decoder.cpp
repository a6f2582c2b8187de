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

std::optional<SubfileStop> RgnObjectDecoder::decode(const TreLevels& tre, RecordSink& sink,
                                                    UiPort& ui) const {
    // A subdivision's data ends where the next subdivision with content begins; what lies past
    // the end of the subfile is cut off, with a note.
    const Subdivision* open = nullptr;
    auto close = [&](std::int64_t end) -> std::optional<SubfileStop> {
        const std::int64_t begin = data_ + open->rgnOffset;
        if (begin > end || begin > rgn_.size())
            return SubfileStop{DecodeStop::SubdivisionDamaged, begin};
        const std::int64_t inside = std::min(end, rgn_.size());
        if (auto stop = subdivision(begin, inside, *open, sink)) return stop;
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
        open = sink.wants(&s) ? &s : nullptr;
    }
    if (open) return close(dataEnd_);
    return std::nullopt;
}

std::optional<SubfileStop> RgnObjectDecoder::subdivision(std::int64_t begin, std::int64_t end,
                                                         const Subdivision& owner,
                                                         RecordSink& sink) const {
    std::array<std::uint8_t, 4> kinds{};
    std::size_t n = 0;
    for (std::uint8_t flag : kContentOrder)
        if (owner.content & flag) kinds[n++] = flag;
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
            stop = polys(ObjectKind::Line, starts[i], starts[i + 1], owner, sink);
        else if (kinds[i] == kHasPolygons)
            stop = polys(ObjectKind::Polygon, starts[i], starts[i + 1], owner, sink);
        else
            stop = points(starts[i], starts[i + 1], owner, sink);
        if (stop) return stop;
    }
    return std::nullopt;
}

std::optional<SubfileStop> RgnObjectDecoder::points(std::int64_t begin, std::int64_t end,
                                                    const Subdivision& owner,
                                                    RecordSink& sink) const {
    RunBuffer run(sink, ObjectKind::Point, false, &owner);
    RecordCursor c(rgn_, begin, end);
    while (c.more()) {
        if (!c.has(rgn::kPointBytes)) return SubfileStop{DecodeStop::RecordDamaged, c.at()};
        const bool subtype = (c.peek(3) << 16) & rgn::kPointHasSubtype;
        const std::int64_t length = rgn::kPointBytes + (subtype ? 1 : 0);
        if (!c.has(length)) return SubfileStop{DecodeStop::RecordDamaged, c.at()};
        run.add(c.peek(0) << 8 | (subtype ? c.peek(rgn::kPointBytes) : 0), c.at(), length);
        c.advance(length);
    }
    return std::nullopt;
}

std::optional<SubfileStop> RgnObjectDecoder::polys(ObjectKind kind, std::int64_t begin,
                                                   std::int64_t end, const Subdivision& owner,
                                                   RecordSink& sink) const {
    const std::uint32_t mask =
        kind == ObjectKind::Line ? rgn::kLineTypeMask : rgn::kPolygonTypeMask;
    RunBuffer run(sink, kind, false, &owner);
    RecordCursor c(rgn_, begin, end);
    while (c.more()) {
        if (!c.has(rgn::kPolyFixedBytes + 1)) return SubfileStop{DecodeStop::RecordDamaged, c.at()};
        const std::uint32_t type = c.peek(0);
        const bool two = type & rgn::kPolyTwoByteLength;
        if (two && !c.has(rgn::kPolyFixedBytes + 2))
            return SubfileStop{DecodeStop::RecordDamaged, c.at()};
        const std::int64_t bitstream =
            two ? c.peek(rgn::kPolyFixedBytes) | c.peek(rgn::kPolyFixedBytes + 1) << 8
                : c.peek(rgn::kPolyFixedBytes);
        // The length bytes, the bitstream's info byte, then the bitstream.
        const std::int64_t length = rgn::kPolyFixedBytes + (two ? 2 : 1) + 1 + bitstream;
        if (!c.has(length)) return SubfileStop{DecodeStop::RecordDamaged, c.at()};
        run.add((type & mask) << 8, c.at(), length);
        c.advance(length);
    }
    return std::nullopt;
}

} // namespace kestrel
