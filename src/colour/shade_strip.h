#pragma once
// The strip of 256 shades of one colour in the colour-slot window: a darker half on the left
// running from about 15 % of the colour up to the colour itself, and a lighter half on the right
// running from the colour towards white.
#include <array>
#include <optional>

#include "colour/colour_value.h"

namespace kestrel {

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
};

// `CToRGB`: splits a colour value into its components. It cannot fail.
Rgb CToRGB(ColourValue value);
ColourValue rgbValue(Rgb c);

inline constexpr int kShadeStripes = 256;
inline constexpr int kDarkerStripes = 128; // stripes 0-127; 128-255 are the lighter half

struct ShadeStrip {
    std::array<ColourValue, kShadeStripes> stripes{};
    // Stripe under which the pointer marker stands: the last stripe drawn (darker half left to
    // right, then the lighter half outwards from the colour) whose colour equals the colour.
    std::optional<int> marker;
};

// `shades`: the stripes for a colour (negative values mean "no colour" and give nothing).
std::optional<ShadeStrip> shades(ColourValue colour);

// Width in pixels of one stripe of a strip of the given width (at least 1 so the strip shows).
int stripeWidth(int stripPixels);
// The stripe under a pixel column of the strip, kept inside the strip.
int stripeAt(int x, int stripPixels);

} // namespace kestrel
