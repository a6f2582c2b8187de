#include "colour/colour_field.h"

#include <algorithm>
#include <cmath>

#include "colour/shade_strip.h"

namespace kestrel {

namespace {

struct HueLightness {
    double hue = 0;       // degrees, 0 to below 360
    double lightness = 0; // 0 to 100
};

HueLightness hueLightness(Rgb c) {
    const double r = c.r / 255.0, g = c.g / 255.0, b = c.b / 255.0;
    const double mx = std::max({r, g, b}), mn = std::min({r, g, b});
    HueLightness hl;
    hl.lightness = (mx + mn) / 2 * 100;
    const double span = mx - mn;
    if (span <= 0) return hl; // grey: no hue, the left edge
    double h = 0;
    if (mx == r)
        h = std::fmod((g - b) / span, 6.0);
    else if (mx == g)
        h = (b - r) / span + 2;
    else
        h = (r - g) / span + 4;
    hl.hue = h * 60;
    if (hl.hue < 0) hl.hue += 360;
    return hl;
}

// Full saturation: chroma = 1 - |2L - 1|.
Rgb fromHueLightness(double hue, double lightness) {
    const double l = std::clamp(lightness / 100, 0.0, 1.0);
    const double chroma = 1 - std::fabs(2 * l - 1);
    const double h = std::fmod(hue, 360.0) / 60;
    const double x = chroma * (1 - std::fabs(std::fmod(h, 2.0) - 1));
    double r = 0, g = 0, b = 0;
    switch (static_cast<int>(h)) {
    case 0:
        r = chroma, g = x;
        break;
    case 1:
        r = x, g = chroma;
        break;
    case 2:
        g = chroma, b = x;
        break;
    case 3:
        g = x, b = chroma;
        break;
    case 4:
        r = x, b = chroma;
        break;
    default:
        r = chroma, b = x;
        break;
    }
    const double m = l - chroma / 2;
    const auto byte = [m](double v) {
        return std::clamp(static_cast<int>(std::lround((v + m) * 255)), 0, 255);
    };
    return {byte(r), byte(g), byte(b)};
}

} // namespace

ColourValue fieldColour(int x, int y, int width, int height) {
    const double hue = width > 0 ? 360.0 * std::clamp(x, 0, width - 1) / width : 0;
    const double lightness =
        height > 1 ? 100.0 - 100.0 * std::clamp(y, 0, height - 1) / (height - 1) : 50;
    return rgbValue(fromHueLightness(hue, lightness));
}

FieldPoint find_color(ColourValue colour, int width, int height) {
    const HueLightness hl = hueLightness(CToRGB(colour));
    FieldPoint p;
    p.x =
        std::clamp(static_cast<int>(std::lround(hl.hue / 360 * width)), 0, std::max(0, width - 1));
    p.y = std::clamp(static_cast<int>(std::lround((100 - hl.lightness) / 100 * (height - 1))), 0,
                     std::max(0, height - 1));
    return p;
}

} // namespace kestrel
