#include "typfile/xpm_reader.h"

#include <algorithm>
#include <map>
#include <utility>

#include "base/text.h"
#include "base/utf8.h"
#include "typfile/text_numbers.h"

namespace kestrel::typ {

namespace {

constexpr std::uint32_t kMaxIconSide = 255;
constexpr std::size_t kMaxIconColours = 255;
constexpr std::uint32_t kPatternSide = 32;
constexpr std::uint32_t kMaxLineRows = 31;
constexpr std::size_t kReserveLimit = std::size_t{kMaxIconSide} * kMaxIconSide;

std::u32string codePoints(std::string_view utf8) {
    std::u32string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const Utf8Char c = nextUtf8(utf8, i);
        out.push_back(c.bytes ? c.cp : 0xFFFD);
        i += c.bytes ? c.bytes : 1;
    }
    return out;
}

std::string utf8Of(std::u32string_view s) {
    std::string out;
    for (const char32_t c : s) appendUtf8(out, c);
    return out;
}

struct Header {
    std::uint32_t width = 0, height = 0;
    std::int32_t colours = 0;
    std::uint32_t charsPerPixel = 1;
};

// "W H C P": four whole numbers, an opening quote before them allowed, anything after them left.
Header readHeader(TextScanner& scanner, std::string_view text) {
    TextScanner header(text, "", "#");
    if (header.nextIs("\"")) header.next();
    std::int32_t v[4] = {};
    for (std::int32_t& n : v) {
        const auto number = parseNumber(header.next().value);
        if (!number) scanner.refuse(TextProblem::BadXpmHeader, std::string(text));
        n = *number;
    }
    if (v[2] < 0) scanner.refuse(TextProblem::BadXpmHeader, std::string(text));
    // mkgmap keeps the sizes in 16 bits, and reads 0 characters a pixel as 1.
    const auto sixteen = [](std::int32_t n) { return static_cast<std::uint32_t>(n) & 0xFFFF; };
    return {sixteen(v[0]), sixteen(v[1]), v[2], v[3] == 0 ? 1 : sixteen(v[3])};
}

// `alpha=N` after a closing quote, up to the line end: N from 0 (opaque) to 15.
template <typename Set> void readAlpha(TextScanner& scanner, Set setOpacity) {
    while (!scanner.atEnd()) {
        const Token t = scanner.nextRaw();
        if (t.kind == TokenKind::LineEnd) break;
        if (!t.value.ends_with("alpha")) continue;
        scanner.expect("=");
        const std::string value = scanner.nextValue();
        const auto n = decodeNumber(value);
        if (!n) scanner.refuse(TextProblem::BadNumber, value, "alpha");
        setOpacity(static_cast<std::int32_t>(255 - 17 * static_cast<std::int64_t>(*n)));
    }
}

struct TaggedColour {
    std::u32string tag;
    XpmColour colour;
};

std::vector<TaggedColour> readColours(TextScanner& scanner, const Header& h) {
    std::vector<TaggedColour> colours;
    for (std::int32_t i = 0; i < h.colours; ++i) {
        scanner.expect("\"");
        const Token first = scanner.nextRaw();
        if (first.kind == TokenKind::End) scanner.refuse(TextProblem::Expected, "", "\"");
        std::u32string tag = codePoints(first.value);
        while (tag.size() < h.charsPerPixel) {
            const Token more = scanner.nextRaw();
            // mkgmap adds "null" for the end of the text.
            tag += codePoints(more.kind == TokenKind::End ? "null" : more.value);
        }
        tag.resize(h.charsPerPixel);
        scanner.expect("c");
        const Token value = scanner.next();
        TaggedColour c{std::move(tag), {}};
        if (value.is("#")) {
            c.colour = parseColour(scanner, scanner.next().value);
        } else if (value.kind != TokenKind::End && lcase(value.value) == "none") {
            c.colour = {0, 0, 0, 0};
        } else {
            scanner.refuse(TextProblem::BadColour, value.value);
        }
        scanner.expect("\"");
        colours.push_back(std::move(c));
        readAlpha(scanner, [&](std::int32_t a) { colours.back().colour.opacity = a; });
    }
    return colours;
}

// The colour checks of a line or polygon: the first of each pair (day, night) is the one that
// is not transparent.
void orderPairs(TextScanner& scanner, std::vector<TaggedColour>& c) {
    const std::size_t n = c.size();
    if (n > 4) scanner.refuse(TextProblem::TooManyColours);
    if (n == 0) scanner.refuse(TextProblem::NoColours);
    if (c[0].colour.transparent()) {
        if (n < 2) scanner.refuse(TextProblem::OnlyColourTransparent);
        std::swap(c[0], c[1]);
    }
    if (n > 2 && c[2].colour.transparent()) {
        if (n < 4) scanner.refuse(TextProblem::OnlyColourTransparent);
        std::swap(c[2], c[3]);
    }
    if (n > 1 && c[0].colour.transparent()) scanner.refuse(TextProblem::DayBothTransparent);
    if (n > 3 && c[2].colour.transparent()) scanner.refuse(TextProblem::NightBothTransparent);
}

// An icon's colour mode: alpha when a colour is partly transparent or all are transparent; one
// transparent colour moves to the end (the index past the stored colours). mkgmap stores more than
// one transparent colour without alpha in a damaged record; here they become one.
std::uint8_t orderIcon(std::vector<TaggedColour>& c, bool& twoTransparent) {
    const auto transparent = [](const TaggedColour& t) { return t.colour.transparent(); };
    const auto clear = std::count_if(c.begin(), c.end(), transparent);
    const bool alpha = std::any_of(
        c.begin(), c.end(), [](const TaggedColour& t) { return t.colour.partlyTransparent(); });
    if (alpha || (!c.empty() && static_cast<std::size_t>(clear) == c.size())) return 0x20;
    if (clear == 0) return 0x00;
    twoTransparent = clear > 1;
    std::stable_partition(c.begin(), c.end(),
                          [&](const TaggedColour& t) { return !transparent(t); });
    return 0x10;
}

// mkgmap's checks of a pattern's shape, made before the pixels are read.
void checkShape(TextScanner& scanner, const Header& h, PictureUse use) {
    if (use == PictureUse::Polygon) {
        if (h.colours == 3 || h.colours > 4 || h.colours == 0)
            scanner.refuse(TextProblem::PolygonColourCount);
        if ((h.width || h.height) && (h.width != kPatternSide || h.height != kPatternSide))
            scanner.refuse(TextProblem::PolygonPatternSize);
    }
    if (use == PictureUse::Line && h.width && h.width != kPatternSide)
        scanner.refuse(TextProblem::LinePatternWidth);
}

// What a record cannot hold, and mkgmap writes into a damaged one: checked after the pixels, so
// that a text mkgmap refuses is refused where mkgmap refuses it. `at` is the header's line.
void checkFits(const Header& h, PictureUse use, std::size_t stored, std::uint32_t at) {
    std::optional<TextProblem> p;
    if (use == PictureUse::Line && h.width && h.height > kMaxLineRows)
        p = TextProblem::LinePatternRows;
    if (use == PictureUse::Icon && (h.width > kMaxIconSide || h.height > kMaxIconSide))
        p = TextProblem::PictureTooLarge;
    if (use == PictureUse::Icon && stored > kMaxIconColours) p = TextProblem::TooManyPictureColours;
    if (p) throw TextRefusal{{at, *p, {}, {}}};
}

void readRows(TextScanner& scanner, const Header& h, const std::map<std::u32string, int>& index,
              XpmPicture& p) {
    // The pixels grow with the text: a header may claim more than the text holds.
    p.indices.reserve(std::min<std::size_t>(std::size_t{h.width} * h.height, kReserveLimit));
    const std::uint64_t rowLength = 1 + std::uint64_t{h.width} * h.charsPerPixel;
    for (std::uint32_t y = 0; y < h.height; ++y) {
        const std::string line = scanner.readLine();
        if (line.empty()) scanner.refuse(TextProblem::BlankPictureLine);
        if (line[0] != '"') scanner.refuse(TextProblem::PictureLineUnquoted, line);
        const std::u32string row = codePoints(line);
        if (row.size() < rowLength) scanner.refuse(TextProblem::ShortPictureLine, line);
        for (std::uint32_t x = 0; x < h.width; ++x) {
            const std::u32string tag =
                row.substr(1 + std::size_t{x} * h.charsPerPixel, h.charsPerPixel);
            const auto found = index.find(tag);
            if (found == index.end()) scanner.refuse(TextProblem::UnknownPixel, utf8Of(tag));
            p.indices.push_back(static_cast<std::uint8_t>(found->second));
        }
    }
}

// One quoted line of #RRGGBB (or #RRGGBBAA) values into `pixels` from `at` on; the place after
// them.
std::size_t readTrueColourLine(TextScanner& scanner, std::vector<std::uint32_t>& pixels,
                               std::size_t at, std::uint64_t count) {
    do {
        scanner.expect("#");
        const std::string value = scanner.nextValue();
        const auto v = parseHexLow32(value);
        if (!v) scanner.refuse(TextProblem::BadColour, value);
        if (at >= count) scanner.refuse(TextProblem::TooManyPixels);
        const auto bits = static_cast<std::uint32_t>(*v);
        const std::uint32_t pixel = value.size() <= 6 ? bits << 8 | 0xFF : bits;
        if (at < pixels.size())
            pixels[at] = pixel;
        else
            pixels.push_back(pixel);
        ++at;
    } while (scanner.nextIs("#"));
    scanner.expect("\"");
    readAlpha(scanner, [&](std::int32_t a) {
        pixels[at - 1] = (pixels[at - 1] & ~0xFFu) | (static_cast<std::uint32_t>(a) & 0xFF);
    });
    return at;
}

// True colour: the pixels, and mkgmap's colour mode for them (alpha when one is partly
// transparent, one transparent colour when one is fully, the first such colour standing for all).
// A quoted line after the pixels makes the first value the transparent colour: mkgmap drops it
// and makes the pixels of its colour transparent.
void readTrueColour(TextScanner& scanner, const Header& h, XpmPicture& p) {
    std::vector<std::uint32_t>& px = p.trueColour;
    const std::uint64_t count = std::uint64_t{h.width} * h.height;
    px.reserve(std::min<std::uint64_t>(count, kReserveLimit));
    for (std::size_t at = 0; at < count;) {
        scanner.expect("\"");
        at = readTrueColourLine(scanner, px, at, count);
    }
    if (scanner.nextIs("\"")) {
        const std::uint32_t first = px[0];
        for (std::size_t j = 1; j < px.size(); ++j)
            px[j - 1] = px[j] == first ? px[j] & ~0xFFu : px[j];
        scanner.expect("\"");
        readTrueColourLine(scanner, px, px.size() - 1, count);
    }
    bool clear = false;
    bool alpha = false;
    std::uint32_t stand = 0;
    for (std::uint32_t& v : px) {
        const std::uint32_t a = v & 0xFF;
        if (a == 0) {
            if (clear) v = stand;
            stand = v;
            clear = true;
        } else if (a < 0xFF) {
            alpha = true;
        }
    }
    p.colourMode = alpha ? 0x20 : clear ? 0x10 : p.colourMode;
}

} // namespace

XpmColour parseColour(TextScanner& scanner, std::string_view text) {
    std::string_view s = text;
    if (s.starts_with("#")) s.remove_prefix(1);
    const auto part = [&](std::size_t at) -> std::int32_t {
        const auto v = s.size() >= at + 2 ? parseNumber(s.substr(at, 2), 16) : std::nullopt;
        if (!v) scanner.refuse(TextProblem::BadColour, std::string(text));
        return *v;
    };
    XpmColour c{part(0), part(2), part(4), 255};
    if (s.size() > 6) c.opacity = part(6);
    return c;
}

XpmPicture readXpm(TextScanner& scanner, std::string_view header, PictureUse use) {
    const std::uint32_t at = scanner.line();
    const Header h = readHeader(scanner, header);
    std::vector<TaggedColour> colours = readColours(scanner, h);
    checkShape(scanner, h, use);
    XpmPicture p;
    p.width = h.width;
    p.height = h.height;
    p.colourCount = h.colours;
    if (use == PictureUse::Icon)
        p.colourMode = orderIcon(colours, p.twoTransparent);
    else
        orderPairs(scanner, colours);
    const auto opaque = static_cast<std::size_t>(
        std::count_if(colours.begin(), colours.end(),
                      [](const TaggedColour& t) { return !t.colour.transparent(); }));
    const std::size_t stored = p.colourMode == 0x10 ? opaque : colours.size();
    std::map<std::u32string, int> index;
    for (std::size_t i = 0; i < colours.size(); ++i) {
        // Several transparent colours of an icon share one index, past the stored colours.
        const bool merged = p.twoTransparent && colours[i].colour.transparent();
        index[colours[i].tag] = static_cast<int>(merged ? opaque : i);
        if (!merged || i == opaque) p.colours.push_back(colours[i].colour);
    }
    p.hasPixels = h.width > 0 && h.height > 0;
    if (p.hasPixels && h.colours == 0) readTrueColour(scanner, h, p);
    if (p.hasPixels && h.colours != 0) readRows(scanner, h, index, p);
    checkFits(h, use, stored, at);
    return p;
}

} // namespace kestrel::typ
