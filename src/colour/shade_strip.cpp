#include "colour/shade_strip.h"

#include <algorithm>
#include <cmath>

#include "base/text.h"

namespace kestrel {

namespace {

int darker(int c, int d) {
    return c - static_cast<int>(std::floor(c / 150.0 * d));
}

// The lighter half grows by a hundredth of the distance to white per stripe, so it reaches white
// before its end; past 255 a component stays at 255. A component already at 255 grows by 1.
int lighter(int c, int d) {
    double factor = (255 - c) / 100.0;
    if (factor == 0) factor = 1;
    return std::min(255, c + static_cast<int>(std::floor(factor * d)));
}

} // namespace

Rgb CToRGB(ColourValue value) {
    return {value & 0xFF, (value & 0xFF00) / 256, (value & 0xFF0000) / 65536};
}

ColourValue rgbValue(Rgb c) {
    return c.r + 256 * c.g + 65536 * c.b;
}

std::optional<ShadeStrip> shades(ColourValue colour) {
    if (colour < 0) return std::nullopt;
    const Rgb c = CToRGB(colour);
    ShadeStrip strip;
    for (int k = 0; k < kDarkerStripes; ++k) {
        const int d = kDarkerStripes - 1 - k;
        const ColourValue v = rgbValue({darker(c.r, d), darker(c.g, d), darker(c.b, d)});
        strip.stripes[static_cast<std::size_t>(k)] = v;
        if (v == colour) strip.marker = k;
    }
    for (int d = 0; d < kShadeStripes - kDarkerStripes; ++d) {
        const int k = kDarkerStripes + d;
        const ColourValue v = rgbValue({lighter(c.r, d), lighter(c.g, d), lighter(c.b, d)});
        strip.stripes[static_cast<std::size_t>(k)] = v;
        if (v == colour) strip.marker = k;
    }
    return strip;
}

int stripeWidth(int stripPixels) {
    return std::max<int>(1, static_cast<int>(roundHalfEven(stripPixels / 256.0)));
}

int stripeAt(int x, int stripPixels) {
    return std::clamp(x / stripeWidth(stripPixels), 0, kShadeStripes - 1);
}

} // namespace kestrel
