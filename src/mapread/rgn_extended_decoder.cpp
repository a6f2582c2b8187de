#include "mapread/rgn_extended_decoder.h"

#include "mapread/record_cursor.h"
#include "mapread/rgn_header.h"

namespace kestrel {
RgnExtendedDecoder::RgnExtendedDecoder(const SubfileView& rgn, std::int64_t header) : rgn_(rgn) {
    const std::int64_t length = rgn.bit2(header + rgn::kHeaderLength);
    constexpr std::array<std::pair<std::int64_t, std::int64_t>, kObjectKinds> fields{
        {{rgn::kPolygonOffset, rgn::kPolygonSize},
         {rgn::kLineOffset, rgn::kLineSize},
         {rgn::kPointOffset, rgn::kPointSize}}};
    for (std::size_t k = 0; k < kObjectKinds; ++k) {
        const auto [offset, size] = fields[k];
        if (length >= size + 4) sections_[k] = {rgn.bit4(header + offset), rgn.bit4(header + size)};
    }
}

std::optional<SubfileStop> RgnExtendedDecoder::decode(ObjectKind kind, const TreLevels& tre,
                                                      RecordSink& sink, UiPort& ui) const {
    const std::size_t k = static_cast<std::size_t>(kind);
    const Section s = sections_[k];
    if (s.size == 0) return std::nullopt;
    if (!rgn_.holds(s.begin, s.size)) return SubfileStop{DecodeStop::SubdivisionDamaged, s.begin};
    std::int64_t done = 0; // the part of the section decoded so far
    if (tre.hasExtendedRanges) {
        for (const Subdivision& sub : tre.subdivisions) {
            const ExtendedRange r = sub.extended[k];
            if (r.begin == r.end) continue;
            ui.yield();
            if (ui.stopflag()) return SubfileStop{DecodeStop::Stopped, s.begin + r.begin};
            if (r.end > s.size) return SubfileStop{DecodeStop::ExtendedOffsetsDamaged, s.begin};
            if (sink.wants(&sub))
                if (auto stop = records(kind, s.begin + r.begin, s.begin + r.end, &sub, sink))
                    return stop;
            done = r.end;
        }
    }
    // Records no subdivision owns are still handed on, without an owner.
    if (!sink.wants(nullptr)) return std::nullopt;
    return records(kind, s.begin + done, s.begin + s.size, nullptr, sink);
}

std::optional<SubfileStop> RgnExtendedDecoder::records(ObjectKind kind, std::int64_t begin,
                                                       std::int64_t end, const Subdivision* owner,
                                                       RecordSink& sink) const {
    RunBuffer run(sink, kind, true, owner);
    RecordCursor c(rgn_, begin, end);
    while (c.more()) {
        const auto damaged = SubfileStop{DecodeStop::RecordDamaged, c.at()};
        if (!c.has(rgn::kExtFixedBytes)) return damaged;
        const std::uint32_t flags = c.peek(1);
        std::int64_t length = rgn::kExtFixedBytes;
        if (kind != ObjectKind::Point) {
            const VariableNumber bitstream = c.variable(length);
            if (bitstream.bytes == 0) return damaged;
            length += bitstream.bytes + bitstream.value;
        }
        if (flags & rgn::kExtHasLabel) length += rgn::kLabelBytes;
        if (flags & rgn::kExtHasExtra) {
            if (!c.has(length + 1)) return damaged;
            const std::uint32_t form = c.peek(length) >> rgn::kExtraCountShift;
            length += 1;
            if (form == rgn::kExtraCounted) {
                const VariableNumber count = c.variable(length);
                if (count.bytes == 0) return damaged;
                length += count.bytes + count.value;
            } else if (form >= rgn::kExtraFirstSized) {
                length += form - rgn::kExtraFirstSized + 1;
            }
        }
        if (!c.has(length)) return damaged;
        run.add(0x10000 | c.peek(0) << 8 | (flags & rgn::kExtSubtypeMask), c.at(), length);
        c.advance(length);
    }
    return std::nullopt;
}

} // namespace kestrel
