#include "typfile/record_encoder.h"

#include "typfile/label_block.h"
#include "typfile/picture_codec.h"
#include "typfile/pixel_bits.h"

namespace kestrel::typ {

namespace {

constexpr std::uint8_t kSchemeNight = 0x01;
constexpr std::uint8_t kSchemeDayTransparent = 0x02;
constexpr std::uint8_t kSchemeNightTransparent = 0x04;
constexpr std::uint8_t kSchemePattern = 0x08;
constexpr std::uint8_t kSchemeBits = 0x07; // of a line

constexpr std::uint8_t kPolygonLabels = 0x10;
constexpr std::uint8_t kPolygonFont = 0x20;
constexpr std::uint8_t kLineLabels = 0x01;
constexpr std::uint8_t kLineKeepsDirection = 0x02;
constexpr std::uint8_t kLineFont = 0x04;
constexpr std::uint8_t kPointImage = 0x01;
constexpr std::uint8_t kPointNight = 0x02;
constexpr std::uint8_t kPointLabels = 0x04;
constexpr std::uint8_t kPointFont = 0x08;

// The byte an icon carries after its size word.
constexpr std::uint8_t kIconHead = 1;
// Bits of an icon's head that its size word counts besides pixels and palette.
constexpr std::uint32_t kIconHeadBits = 44;

std::uint8_t scheme(const ColourPair& day, const std::optional<ColourPair>& night, bool pattern) {
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

std::optional<WriteError> RecordEncoder::labels(const Labelling& l, TypPart part, ElementCode code,
                                                ByteImage& out) {
    EncodedLabels e = encodeLabels(l.labels, codePage_);
    if (e.textBytes > kMaxLabelBlock)
        return error(WriteRefusal::LabelsTooLong, part, code, e.textBytes);
    for (Label& d : e.dropped) dropped_.push_back({part, code, std::move(d)});
    out.addBytes(e.block);
    return std::nullopt;
}

std::optional<WriteError> RecordEncoder::polygon(const Polygon& p, ByteImage& out) {
    const TypPart part = TypPart::Polygons;
    if (!codeFits(p.code)) return error(WriteRefusal::CodeOutOfRange, part, p.code);
    if (p.pattern && (p.pattern->rows != kPolygonPatternRows || !patternFits(*p.pattern)))
        return error(WriteRefusal::PatternMisshapen, part, p.code);
    std::uint8_t head = scheme(p.day, p.night, p.pattern.has_value());
    if (!p.labelling.labels.empty()) head |= kPolygonLabels;
    if (hasFontByte(p.labelling)) head |= kPolygonFont;
    out.add1u(head);
    putColours(p.day, p.night, out);
    if (p.pattern) encodePattern(*p.pattern, out);
    if (head & kPolygonLabels)
        if (auto e = labels(p.labelling, part, p.code, out)) return e;
    if (head & kPolygonFont) putFontByte(out, p.labelling);
    return std::nullopt;
}

std::optional<WriteError> RecordEncoder::line(const Line& l, TypPart part, ByteImage& out) {
    if (!codeFits(l.code)) return error(WriteRefusal::CodeOutOfRange, part, l.code);
    const std::uint8_t rows = l.pattern ? l.pattern->rows : 0;
    if (l.pattern && (rows == 0 || rows > kMaxLinePatternRows || !patternFits(*l.pattern)))
        return error(WriteRefusal::PatternMisshapen, part, l.code);
    const std::uint8_t s = scheme(l.day, l.night, false) & kSchemeBits;
    std::uint8_t flags = 0;
    if (!l.labelling.labels.empty()) flags |= kLineLabels;
    if (!l.useOrientation) flags |= kLineKeepsDirection;
    if (hasFontByte(l.labelling)) flags |= kLineFont;
    out.add1u(static_cast<std::uint8_t>(s | rows << 3));
    out.add1u(flags);
    putColours(l.day, l.night, out);
    if (l.pattern) {
        encodePattern(*l.pattern, out);
    } else {
        out.add1u(l.lineWidth);
        // Schemes 6 and 7 have no border colour, and keep no border width.
        if ((s & ~kSchemeNight) != (kSchemeDayTransparent | kSchemeNightTransparent))
            out.add1u(static_cast<std::uint8_t>(l.lineWidth + 2 * l.borderWidth));
    }
    if (flags & kLineLabels)
        if (auto e = labels(l.labelling, part, l.code, out)) return e;
    if (flags & kLineFont) putFontByte(out, l.labelling);
    return std::nullopt;
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
    if (flags & kPointLabels)
        if (auto e = labels(p.labelling, part, p.code, out)) return e;
    if (flags & kPointFont) putFontByte(out, p.labelling);
    return std::nullopt;
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
