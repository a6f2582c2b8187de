#include "typfile/record_encoder.h"

#include "typfile/label_block.h"
#include "typfile/picture_codec.h"
#include "typfile/pixel_bits.h"
#include "typfile/record_flags.h"

namespace kestrel::typ {

namespace {

using namespace flag;

// The byte an icon carries after its size word.
constexpr std::uint8_t kIconHead = 1;
// Bits of an icon's head that its size word counts besides pixels and palette.
constexpr std::uint32_t kIconHeadBits = 44;

void putColours(const ColourPair& day, const std::optional<ColourPair>& night, ByteImage& out) {
    putRgb(out, day.foreground);
    if (day.background) putRgb(out, *day.background);
    if (!night) return;
    putRgb(out, night->foreground);
    if (night->background) putRgb(out, *night->background);
}

bool patternFits(const Pattern& p) {
    return p.pixels.size() == std::size_t{kPatternWidth} * p.rows;
}

WriteError error(WriteRefusal why, TypPart part, ElementCode code, std::uint64_t size = 0) {
    return {why, part, code, size};
}

// The size word of an icon: half its size in bits (bits per pixel 24 for true colour).
std::uint16_t iconSizeWord(const Image& image) {
    const bool oneTransparent = image.mode == ColourMode::OneTransparent;
    std::uint32_t bits = kIconHeadBits;
    if (image.trueColour()) {
        bits += std::uint32_t{image.width} * image.height * 24 + (oneTransparent ? 24 : 0);
    } else {
        const unsigned bpp = bitsPerPixel(image.palette.size() + (oneTransparent ? 1 : 0));
        bits += std::uint32_t{image.width} * image.height * bpp +
                static_cast<std::uint32_t>(image.palette.size()) * 24;
    }
    return static_cast<std::uint16_t>(bits / 2);
}

std::optional<WriteError> imageError(std::optional<ImageFault> fault, TypPart part,
                                     ElementCode code) {
    if (!fault) return std::nullopt;
    return error(*fault == ImageFault::TooManyColours ? WriteRefusal::TooManyColours
                                                      : WriteRefusal::ImageMisshapen,
                 part, code);
}

} // namespace

bool codeFits(ElementCode code) {
    return code.type <= 0x7FF && code.subtype <= 0x1F;
}

std::uint8_t colourScheme(const ColourPair& day, const std::optional<ColourPair>& night,
                          bool pattern) {
    std::uint8_t s = pattern ? kSchemePattern : 0;
    if (!day.background) s |= kSchemeDayTransparent;
    if (night) {
        s |= kSchemeNight;
        if (!night->background) s |= kSchemeNightTransparent;
    } else if (!day.background) {
        s |= kSchemeNightTransparent; // mkgmap: the night is the day, transparent alike
    }
    return s;
}

std::optional<WriteError> RecordEncoder::labelling(const Labelling& l, TypPart part,
                                                   ElementCode code, ByteImage& out) {
    if (!l.labels.empty()) {
        EncodedLabels e = encodeLabels(l.labels, codePage_);
        if (e.textBytes > kMaxLabelBlock)
            return error(WriteRefusal::LabelsTooLong, part, code, e.textBytes);
        for (Label& d : e.dropped) dropped_.push_back({part, code, std::move(d)});
        out.addBytes(e.block);
    }
    if (hasFontByte(l)) putFontByte(out, l);
    return std::nullopt;
}

std::optional<WriteError> RecordEncoder::polygon(const Polygon& p, ByteImage& out) {
    const TypPart part = TypPart::Polygons;
    if (!codeFits(p.code)) return error(WriteRefusal::CodeOutOfRange, part, p.code);
    if (p.pattern && (p.pattern->rows != kPolygonPatternRows || !patternFits(*p.pattern)))
        return error(WriteRefusal::PatternMisshapen, part, p.code);
    std::uint8_t head = colourScheme(p.day, p.night, p.pattern.has_value());
    if (!p.labelling.labels.empty()) head |= kPolygonLabels;
    if (hasFontByte(p.labelling)) head |= kPolygonFont;
    out.add1u(head);
    putColours(p.day, p.night, out);
    if (p.pattern) encodePattern(*p.pattern, out);
    return labelling(p.labelling, part, p.code, out);
}

std::optional<WriteError> RecordEncoder::line(const Line& l, TypPart part, ByteImage& out) {
    if (!codeFits(l.code)) return error(WriteRefusal::CodeOutOfRange, part, l.code);
    const std::uint8_t rows = l.pattern ? l.pattern->rows : 0;
    if (l.pattern && (rows == 0 || rows > kMaxLinePatternRows || !patternFits(*l.pattern)))
        return error(WriteRefusal::PatternMisshapen, part, l.code);
    const std::uint8_t s = colourScheme(l.day, l.night, false) & kLineSchemeBits;
    std::uint8_t flags = 0;
    if (!l.labelling.labels.empty()) flags |= kLineLabels;
    if (!l.useOrientation) flags |= kLineKeepsDirection;
    if (hasFontByte(l.labelling)) flags |= kLineFont;
    out.add1u(static_cast<std::uint8_t>(s | rows << kLineRowsShift));
    out.add1u(flags);
    putColours(l.day, l.night, out);
    if (l.pattern) {
        encodePattern(*l.pattern, out);
    } else {
        out.add1u(l.lineWidth);
        if (!borderless(s)) out.add1u(static_cast<std::uint8_t>(l.lineWidth + 2 * l.borderWidth));
    }
    return labelling(l.labelling, part, l.code, out);
}

std::optional<WriteError> RecordEncoder::point(const Point& p, ByteImage& out) {
    const TypPart part = TypPart::Points;
    if (!codeFits(p.code)) return error(WriteRefusal::CodeOutOfRange, part, p.code);
    if (p.night && (p.night->width != p.day.width || p.night->height != p.day.height))
        return error(WriteRefusal::ImageMisshapen, part, p.code);
    std::uint8_t flags = kPointImage;
    if (p.night) flags |= kPointNight;
    if (!p.labelling.labels.empty()) flags |= kPointLabels;
    if (hasFontByte(p.labelling)) flags |= kPointFont;
    out.add1u(flags);
    out.add1u(p.day.width);
    out.add1u(p.day.height);
    if (auto e = imageError(encodeImage(p.day, out), part, p.code)) return e;
    if (p.night)
        if (auto e = imageError(encodeImage(*p.night, out), part, p.code)) return e;
    return labelling(p.labelling, part, p.code, out);
}

std::optional<WriteError> RecordEncoder::iconSet(const IconSet& s, ByteImage& out) {
    const TypPart part = TypPart::IconSets;
    if (!codeFits(s.code)) return error(WriteRefusal::CodeOutOfRange, part, s.code);
    if (s.icons.size() > 0xFF) return error(WriteRefusal::TooManyIcons, part, s.code);
    out.add1u(static_cast<std::uint8_t>(s.icons.size()));
    for (const Image& icon : s.icons) {
        out.add2u(iconSizeWord(icon));
        out.add1u(kIconHead);
        out.add1u(icon.width);
        out.add1u(icon.height);
        if (auto e = imageError(encodeImage(icon, out), part, s.code)) return e;
    }
    return std::nullopt;
}

} // namespace kestrel::typ
