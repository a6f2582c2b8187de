#pragma once
// The pictures of a TYP: the two-colour patterns of polygons and lines, and the icons of points
// and icon sets. Pixels are held one per byte, row by row from the top left; the binary codecs
// pack them.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "typfile/rgb.h"

namespace kestrel::typ {

// A pattern is always 32 pixels wide: 32 rows for a polygon, 1 to 31 for a line (the line is as
// wide as the pattern has rows).
inline constexpr std::uint8_t kPatternWidth = 32;
inline constexpr std::uint8_t kPolygonPatternRows = 32;
inline constexpr std::uint8_t kMaxLinePatternRows = 31;

struct Pattern {
    std::uint8_t rows = 0;
    std::vector<std::uint8_t> pixels; // kPatternWidth x rows; 1 foreground, 0 background

    bool operator==(const Pattern&) const = default;
};

// How an icon stores its colours. The format picks it from the colours used (mkgmap: any colour
// partly transparent, or all of them transparent: Alpha; exactly one transparent colour:
// OneTransparent; else Opaque); files of other tools may choose otherwise, so it is kept.
enum class ColourMode : std::uint8_t {
    Opaque = 0x00,         // palette of opaque colours
    OneTransparent = 0x10, // palette of opaque colours; the index just past them is transparent
    Alpha = 0x20,          // every colour with its own transparency
};

// A point's or an icon set's picture, of any size up to 255 x 255. With a palette, each pixel is
// an index into it (in OneTransparent mode the index palette.size() is the transparent pixel);
// without one, the picture is in true colour and each pixel carries its colour (in Opaque mode
// every alpha is 0; in OneTransparent mode the pixels are opaque or fully transparent).
struct Image {
    std::uint8_t width = 0;
    std::uint8_t height = 0;
    ColourMode mode = ColourMode::Opaque;
    std::vector<Rgba> palette;          // at most 255 colours; empty: true colour
    std::vector<std::uint8_t> indices;  // with a palette: width x height
    std::vector<Rgba> trueColourPixels; // without one: width x height

    bool trueColour() const { return palette.empty(); }
    // The colour of pixel `at` (row by row from the top left); an index past the palette is
    // transparent.
    Rgba pixel(std::size_t at) const {
        if (trueColour()) return trueColourPixels[at];
        return indices[at] < palette.size() ? palette[indices[at]] : Rgba{{}, kTransparent};
    }
    bool operator==(const Image&) const = default;
};

} // namespace kestrel::typ
