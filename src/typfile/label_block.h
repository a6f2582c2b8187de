#pragma once
// Labels and the font byte of an element record.
//
// A label block is a length and then, for each label, a language byte, the text in the header's
// code page and a 0 byte. The length n of what follows is stored as one byte 2n + 1 (low bit 1),
// as two bytes 4n + 2 (low bits 10) or as three bytes 8n + 4 (low bits 100); mkgmap writes the
// shortest that holds it, up to the two-byte form.
//
// The font byte holds the font style in bits 0 to 2; bit 3 says a day label colour follows, bit 4
// a night label colour (3 bytes each, blue, green, red).
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/byte_image.h"
#include "base/byte_reader.h"
#include "typfile/elements.h"

namespace kestrel::typ {

// The longest label text a block can hold: the two-byte length form ends at 16383 bytes.
inline constexpr std::size_t kMaxLabelBlock = 0x3FFF;

struct EncodedLabels {
    std::string block;          // length and labels
    std::vector<Label> dropped; // labels the code page cannot hold, left out
    std::size_t textBytes = 0;  // n of the length
};
EncodedLabels encodeLabels(const std::vector<Label>& labels, std::uint16_t codePage);

// What reading labels met.
struct LabelReading {
    bool damaged = false; // a block past the cursor's end, or a label without its closing 0 byte
    bool inexact = false; // bytes the code page does not define (see readsExactly)
};
// Reads a block at the cursor; after damage the labels read before are kept.
std::vector<Label> decodeLabels(ByteCursor& cursor, std::uint16_t codePage, LabelReading& reading);

// A text read from the file, as UTF-8.
std::string labelText(std::span<const std::uint8_t> bytes, std::uint16_t codePage,
                      LabelReading& reading);

void putRgb(ByteImage& out, const Rgb& c);
Rgb readRgb(ByteCursor& cursor);

// True when the labelling needs a font byte: a font style or a label colour.
bool hasFontByte(const Labelling& l);
void putFontByte(ByteImage& out, const Labelling& l);
void readFontByte(ByteCursor& cursor, Labelling& l);

} // namespace kestrel::typ
