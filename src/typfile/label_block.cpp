#include "typfile/label_block.h"

#include "base/code_page_text.h"

namespace kestrel::typ {

namespace {

constexpr std::uint8_t kFontStyleBits = 0x07;
constexpr std::uint8_t kFontDayColour = 0x08;
constexpr std::uint8_t kFontNightColour = 0x10;

} // namespace

EncodedLabels encodeLabels(const std::vector<Label>& labels, std::uint16_t codePage) {
    EncodedLabels out;
    std::string text;
    for (const Label& l : labels) {
        const std::optional<std::string> bytes = fromUtf8(l.text, codePage);
        if (!bytes) {
            out.dropped.push_back(l);
            continue;
        }
        text.push_back(static_cast<char>(l.language));
        text += *bytes;
        text.push_back('\0');
    }
    out.textBytes = text.size();
    ByteImage block;
    const std::size_t n = text.size();
    if (2 * n + 1 <= 0xFF)
        block.add1u(static_cast<std::uint8_t>(2 * n + 1));
    else
        block.add2u(static_cast<std::uint16_t>(4 * n + 2)); // the caller refuses longer blocks
    block.addBytes(text);
    out.block = block.release();
    return out;
}

std::string labelText(std::span<const std::uint8_t> bytes, std::uint16_t codePage,
                      LabelReading& reading) {
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (!readsExactly(text, codePage)) reading.inexact = true;
    return toUtf8(text, codePage);
}

std::vector<Label> decodeLabels(ByteCursor& cursor, std::uint16_t codePage, LabelReading& reading) {
    const std::uint32_t first = cursor.u8();
    std::uint32_t n = 0;
    if (first & 1) {
        n = first >> 1;
    } else if (first & 2) {
        n = (first | cursor.u8() << 8) >> 2;
    } else {
        const std::uint32_t rest = cursor.u16();
        n = (first | rest << 8) >> 3;
    }
    const std::span<const std::uint8_t> block = cursor.bytes(n);
    std::vector<Label> labels;
    if (cursor.overrun()) {
        reading.damaged = true;
        return labels;
    }
    for (std::size_t i = 0; i < block.size();) {
        std::size_t end = i + 1;
        while (end < block.size() && block[end] != 0) ++end;
        if (end >= block.size()) {
            reading.damaged = true;
            break;
        }
        labels.push_back(
            {block[i], labelText(block.subspan(i + 1, end - i - 1), codePage, reading)});
        i = end + 1;
    }
    return labels;
}

void putRgb(ByteImage& out, const Rgb& c) {
    out.add1u(c.blue);
    out.add1u(c.green);
    out.add1u(c.red);
}

Rgb readRgb(ByteCursor& cursor) {
    Rgb c;
    c.blue = static_cast<std::uint8_t>(cursor.u8());
    c.green = static_cast<std::uint8_t>(cursor.u8());
    c.red = static_cast<std::uint8_t>(cursor.u8());
    return c;
}

bool hasFontByte(const Labelling& l) {
    return l.font != FontStyle::Default || l.dayColour || l.nightColour;
}

void putFontByte(ByteImage& out, const Labelling& l) {
    std::uint8_t font = static_cast<std::uint8_t>(l.font) & kFontStyleBits;
    if (l.dayColour) font |= kFontDayColour;
    if (l.nightColour) font |= kFontNightColour;
    out.add1u(font);
    if (l.dayColour) putRgb(out, *l.dayColour);
    if (l.nightColour) putRgb(out, *l.nightColour);
}

void readFontByte(ByteCursor& cursor, Labelling& l) {
    const std::uint32_t font = cursor.u8();
    l.font = static_cast<FontStyle>(font & kFontStyleBits);
    if (font & kFontDayColour) l.dayColour = readRgb(cursor);
    if (font & kFontNightColour) l.nightColour = readRgb(cursor);
}

} // namespace kestrel::typ
