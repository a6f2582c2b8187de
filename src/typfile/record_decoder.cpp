#include "typfile/record_decoder.h"

#include "typfile/label_block.h"
#include "typfile/picture_codec.h"
#include "typfile/record_encoder.h"
#include "typfile/record_flags.h"

namespace kestrel::typ {

namespace {

using namespace flag;

// The colours a scheme stores, in their order.
void readColours(std::uint32_t scheme, ByteCursor& c, ColourPair& day,
                 std::optional<ColourPair>& night) {
    day.foreground = readRgb(c);
    if (!(scheme & kSchemeDayTransparent)) day.background = readRgb(c);
    if (!(scheme & kSchemeNight)) return;
    night.emplace();
    night->foreground = readRgb(c);
    if (!(scheme & kSchemeNightTransparent)) night->background = readRgb(c);
}

ReadProblem imageProblem(ImageReadFault f) {
    return f == ImageReadFault::UnknownMode ? ReadProblem::UnknownColourMode
                                            : ReadProblem::RecordDamaged;
}

} // namespace

std::optional<ReadProblem> RecordDecoder::labelling(bool labels, bool font, ByteCursor& c,
                                                    Labelling& out) {
    if (c.overrun()) return ReadProblem::RecordDamaged;
    labels_.damaged = false;
    if (labels) out.labels = decodeLabels(c, codePage_, labels_);
    if (labels_.damaged) return ReadProblem::LabelDamaged;
    if (font) readFontByte(c, out);
    if (c.overrun()) return ReadProblem::RecordDamaged;
    return std::nullopt;
}

Decoded<Polygon> RecordDecoder::polygon(ElementCode code, ByteCursor& c) {
    Polygon p;
    p.code = code;
    const std::uint32_t head = c.u8();
    readColours(head, c, p.day, p.night);
    if (head & kSchemePattern) p.pattern = decodePattern(c, kPolygonPatternRows);
    if (auto problem = labelling(head & kPolygonLabels, head & kPolygonFont, c, p.labelling))
        return *problem;
    return p;
}

Decoded<Line> RecordDecoder::line(ElementCode code, ByteCursor& c) {
    Line l;
    l.code = code;
    const std::uint32_t head = c.u8();
    const std::uint32_t flags = c.u8();
    const std::uint32_t scheme = head & kLineSchemeBits;
    const auto rows = static_cast<std::uint8_t>(head >> kLineRowsShift);
    readColours(scheme, c, l.day, l.night);
    l.useOrientation = !(flags & kLineKeepsDirection);
    if (rows) {
        l.pattern = decodePattern(c, rows);
    } else {
        l.lineWidth = static_cast<std::uint8_t>(c.u8());
        // The second width byte is there as the stored scheme says; the border width is kept
        // only where the scheme written for these colours has a border.
        const std::uint32_t total = borderless(scheme) ? l.lineWidth : c.u8();
        if (!borderless(colourScheme(l.day, l.night, false)))
            l.borderWidth = static_cast<std::uint8_t>(((total - l.lineWidth) & 0xFF) / 2);
    }
    if (auto problem = labelling(flags & kLineLabels, flags & kLineFont, c, l.labelling))
        return *problem;
    return l;
}

Decoded<Point> RecordDecoder::point(ElementCode code, ByteCursor& c) {
    Point p;
    p.code = code;
    const std::uint32_t flags = c.u8();
    const auto width = static_cast<std::uint8_t>(c.u8());
    const auto height = static_cast<std::uint8_t>(c.u8());
    DecodedImage day = decodeImage(c, width, height);
    if (day.fault) return imageProblem(*day.fault);
    p.day = std::move(day.image);
    if (flags & kPointNight) {
        DecodedImage night = decodeImage(c, width, height);
        if (night.fault) return imageProblem(*night.fault);
        p.night = std::move(night.image);
    }
    if (auto problem = labelling(flags & kPointLabels, flags & kPointFont, c, p.labelling))
        return *problem;
    return p;
}

Decoded<IconSet> RecordDecoder::iconSet(ElementCode code, ByteCursor& c) {
    IconSet s;
    s.code = code;
    const std::uint32_t count = c.u8();
    for (std::uint32_t k = 0; k < count && !c.overrun(); ++k) {
        c.u16(); // the size word: the icon says its size itself
        c.u8();
        const auto width = static_cast<std::uint8_t>(c.u8());
        const auto height = static_cast<std::uint8_t>(c.u8());
        DecodedImage icon = decodeImage(c, width, height);
        if (icon.fault) return imageProblem(*icon.fault);
        s.icons.push_back(std::move(icon.image));
    }
    if (c.overrun()) return ReadProblem::RecordDamaged;
    return s;
}

} // namespace kestrel::typ
