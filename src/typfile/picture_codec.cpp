#include "typfile/picture_codec.h"

#include <algorithm>

#include "typfile/label_block.h"
#include "typfile/pixel_bits.h"

namespace kestrel::typ {

namespace {

constexpr unsigned kAlphaBits = 4;

std::size_t pixelCount(const Image& image) {
    return std::size_t{image.width} * image.height;
}

// Colours the pixel bits count: the palette, and the transparent index of OneTransparent mode.
std::size_t indexedColours(std::size_t palette, ColourMode mode) {
    return palette + (mode == ColourMode::OneTransparent ? 1 : 0);
}

void putAlphaColour(BitWriter& bits, const Rgba& c) {
    bits.put(c.rgb.blue, 8);
    bits.put(c.rgb.green, 8);
    bits.put(c.rgb.red, 8);
    bits.put(c.alpha, kAlphaBits);
}

Rgba getAlphaColour(BitReader& bits) {
    Rgba c;
    c.rgb.blue = static_cast<std::uint8_t>(bits.get(8));
    c.rgb.green = static_cast<std::uint8_t>(bits.get(8));
    c.rgb.red = static_cast<std::uint8_t>(bits.get(8));
    c.alpha = static_cast<std::uint8_t>(bits.get(kAlphaBits));
    return c;
}

// The lowest colour no pixel has.
Rgb unusedColour(const std::vector<Rgba>& px) {
    std::vector<std::uint32_t> used;
    for (const Rgba& c : px)
        used.push_back(std::uint32_t{c.rgb.red} << 16 | c.rgb.green << 8 | c.rgb.blue);
    std::sort(used.begin(), used.end());
    std::uint32_t v = 0;
    for (const std::uint32_t u : used)
        if (u == v) ++v;
    return rgbFromHex(v);
}

void encodeTrueColour(const Image& image, ByteImage& out) {
    const std::vector<Rgba>& px = image.trueColourPixels;
    if (image.mode == ColourMode::Alpha) {
        BitWriter bits(out);
        for (const Rgba& c : px) putAlphaColour(bits, c);
        return;
    }
    // OneTransparent: every transparent pixel is written in the colour that stands for them, the
    // first transparent pixel's (as mkgmap does); without one, a colour no pixel has.
    Rgb transparent;
    const bool oneTransparent = image.mode == ColourMode::OneTransparent;
    if (oneTransparent) {
        auto first = std::find_if(px.begin(), px.end(), [](const Rgba& c) { return c.alpha; });
        transparent = first != px.end() ? first->rgb : unusedColour(px);
        putRgb(out, transparent);
    }
    for (const Rgba& c : px)
        putRgb(out, oneTransparent && c.alpha != kOpaque ? transparent : c.rgb);
}

} // namespace

void encodePattern(const Pattern& p, ByteImage& out) {
    packRow(p.pixels.data(), p.pixels.size(), 1, out);
}

Pattern decodePattern(ByteCursor& cursor, std::uint8_t rows) {
    Pattern p;
    p.rows = rows;
    BitReader bits(cursor.bytes(std::size_t{kPatternWidth} / 8 * rows));
    p.pixels.resize(std::size_t{kPatternWidth} * rows);
    for (std::uint8_t& v : p.pixels) v = static_cast<std::uint8_t>(bits.get(1));
    return p;
}

std::optional<ImageFault> encodeImage(const Image& image, ByteImage& out) {
    if (image.palette.size() > 0xFF) return ImageFault::TooManyColours;
    const std::size_t pixels =
        image.trueColour() ? image.trueColourPixels.size() : image.indices.size();
    if (pixels != pixelCount(image)) return ImageFault::Misshapen;
    out.add1u(static_cast<std::uint8_t>(image.palette.size()));
    out.add1u(static_cast<std::uint8_t>(image.mode));
    if (image.trueColour()) {
        encodeTrueColour(image, out);
        return std::nullopt;
    }
    if (image.mode == ColourMode::Alpha) {
        BitWriter bits(out);
        for (const Rgba& c : image.palette) putAlphaColour(bits, c);
    } else {
        for (const Rgba& c : image.palette) putRgb(out, c.rgb);
    }
    const unsigned bpp = bitsPerPixel(indexedColours(image.palette.size(), image.mode));
    for (std::size_t row = 0; row < image.height; ++row)
        packRow(image.indices.data() + row * image.width, image.width, bpp, out);
    return std::nullopt;
}

DecodedImage decodeImage(ByteCursor& cursor, std::uint8_t width, std::uint8_t height) {
    DecodedImage d;
    Image& image = d.image;
    image.width = width;
    image.height = height;
    const std::uint32_t count = cursor.u8();
    const std::uint32_t mode = cursor.u8();
    if (mode != 0x00 && mode != 0x10 && mode != 0x20) {
        d.fault = ImageReadFault::UnknownMode;
        return d;
    }
    image.mode = static_cast<ColourMode>(mode);
    const bool alpha = image.mode == ColourMode::Alpha;
    const std::size_t n = pixelCount(image);
    if (count == 0) {
        Rgb transparent;
        const bool oneTransparent = image.mode == ColourMode::OneTransparent;
        if (oneTransparent) transparent = readRgb(cursor);
        image.trueColourPixels.resize(n);
        if (alpha) {
            BitReader bits(cursor.bytes(packedBytes(n, 24 + kAlphaBits)));
            for (Rgba& c : image.trueColourPixels) c = getAlphaColour(bits);
        } else {
            for (Rgba& c : image.trueColourPixels) {
                c.rgb = readRgb(cursor);
                if (oneTransparent && c.rgb == transparent) c.alpha = kTransparent;
            }
        }
    } else {
        image.palette.resize(count);
        if (alpha) {
            BitReader bits(cursor.bytes(packedBytes(count, 24 + kAlphaBits)));
            for (Rgba& c : image.palette) c = getAlphaColour(bits);
        } else {
            for (Rgba& c : image.palette) c.rgb = readRgb(cursor);
        }
        const unsigned bpp = bitsPerPixel(indexedColours(count, image.mode));
        BitReader bits(cursor.bytes(std::size_t{height} * packedBytes(width, bpp)));
        image.indices.resize(n);
        for (std::size_t row = 0; row < height; ++row) {
            for (std::size_t x = 0; x < width; ++x)
                image.indices[row * width + x] = static_cast<std::uint8_t>(bits.get(bpp));
            bits.toByte();
        }
    }
    if (cursor.overrun()) d.fault = ImageReadFault::Damaged;
    return d;
}

} // namespace kestrel::typ
