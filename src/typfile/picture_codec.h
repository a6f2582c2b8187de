#pragma once
// Patterns and images as a record stores them.
//
// A pattern: 32 pixels a row at 1 bit each (4 bytes), first pixel in the lowest bit, 1 for the
// foreground.
//
// An image (width and height are stored before it, once for day and night): the colour count,
// the colour mode, the palette, the pixels.
//  - Opaque (0x00) and OneTransparent (0x10): 3 bytes per palette colour, blue, green, red. In
//    OneTransparent mode the transparent colour is not stored; its index is the count.
//  - Alpha (0x20): 28 bits per colour (blue, green, red, 4 bits of transparency), packed.
//  - Indexed pixels: bits per pixel from the count (plus 1 in OneTransparent mode): 1 for up to
//    1, 2 for up to 3, 4 for up to 15, else 8; each row padded to whole bytes.
//  - Count 0: true colour, not padded. Opaque: 3 bytes a pixel. OneTransparent: first the colour
//    that stands for transparent pixels, then 3 bytes a pixel. Alpha: 28 bits a pixel, packed.
#include <cstdint>
#include <optional>

#include "base/byte_image.h"
#include "base/byte_reader.h"
#include "typfile/pictures.h"

namespace kestrel::typ {

void encodePattern(const Pattern& p, ByteImage& out);
Pattern decodePattern(ByteCursor& cursor, std::uint8_t rows);

enum class ImageFault : std::uint8_t {
    Misshapen,      // pixels that do not fill the image
    TooManyColours, // more than 255 palette colours
};
// Count, mode, palette and pixels (not the width and height).
std::optional<ImageFault> encodeImage(const Image& image, ByteImage& out);

enum class ImageReadFault : std::uint8_t {
    Damaged,     // runs past the cursor's end
    UnknownMode, // a colour mode other than 0x00, 0x10, 0x20
};
struct DecodedImage {
    Image image;
    std::optional<ImageReadFault> fault;
};
DecodedImage decodeImage(ByteCursor& cursor, std::uint8_t width, std::uint8_t height);

} // namespace kestrel::typ
