#pragma once
// The art of the bitmap library as plain rows of "0"/"1" (no quotes, no line ends). Only the
// bitmap library reads these tables; the writers take quoted rows from bitmap_library.h.
#include <array>
#include <string_view>

namespace kestrel {

using BitmapRows32 = std::array<std::string_view, 32>;
using GlyphRows = std::array<std::string_view, 10>;

struct PictureArt {
    std::string_view colour0; // colour line without quotes; empty for the plain picture 9
    std::string_view colour1;
    BitmapRows32 rows;
};

// Stripe fills 0 to 8.
extern const std::array<BitmapRows32, 9> kStripeArt;
// Polygon pictures 1 to 9 at index 0 to 8.
extern const std::array<PictureArt, 9> kPictureArt;
// Digit glyphs 0 to F; the glyph 1 here is the form for digits in an even position.
extern const std::array<GlyphRows, 16> kDigitGlyphs;
extern const GlyphRows kDigitOneOdd;

} // namespace kestrel
