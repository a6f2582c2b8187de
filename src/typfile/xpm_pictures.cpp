#include "typfile/xpm_pictures.h"

namespace kestrel::typ {

namespace {

Rgb rgbOf(std::int32_t red, std::int32_t green, std::int32_t blue) {
    return {static_cast<std::uint8_t>(red), static_cast<std::uint8_t>(green),
            static_cast<std::uint8_t>(blue)};
}
Rgb rgbOf(const XpmColour& c) {
    return rgbOf(c.red, c.green, c.blue);
}

// The 16 steps of transparency mkgmap stores for an opacity (its rounding, on its int values).
std::uint8_t alphaSteps(std::int32_t opacity) {
    const std::int32_t v = 255 - opacity;
    std::int32_t high = v >> 4 & 15;
    const std::int32_t low = v & 15;
    if (low - high > 8) ++high;
    if (low - high < -8) --high;
    return static_cast<std::uint8_t>(high & 15);
}

ColourPair pair(const std::vector<XpmColour>& c, std::size_t first) {
    ColourPair p{rgbOf(c[first]), std::nullopt};
    if (first + 1 < c.size() && !c[first + 1].transparent()) p.background = rgbOf(c[first + 1]);
    return p;
}

} // namespace

PairedColours pairedColours(const XpmPicture& p, bool border) {
    const std::vector<XpmColour>& c = p.colours;
    PairedColours out;
    if (c.size() == 2 && !p.hasPixels && !border) {
        // A solid day colour and a night colour.
        out.day = {rgbOf(c[0]), std::nullopt};
        if (c[1].transparent())
            out.nightLeftOut = true;
        else
            out.night = ColourPair{rgbOf(c[1]), std::nullopt};
    } else {
        out.day = pair(c, 0);
        if (c.size() == 4) out.night = pair(c, 2);
        out.thirdLeftOut = c.size() == 3;
        if (out.thirdLeftOut) out.day = pair({c[0], c[1]}, 0);
    }
    if (p.hasPixels) {
        Pattern pattern;
        pattern.rows = static_cast<std::uint8_t>(p.height);
        pattern.pixels.reserve(p.indices.size());
        // Even colours (day and night foreground) are the pattern's 1 bits.
        for (const std::uint8_t i : p.indices) pattern.pixels.push_back(i % 2 == 0 ? 1 : 0);
        out.pattern = std::move(pattern);
    }
    return out;
}

Image iconImage(const XpmPicture& p) {
    Image image;
    image.width = static_cast<std::uint8_t>(p.width);
    image.height = static_cast<std::uint8_t>(p.height);
    image.mode = static_cast<ColourMode>(p.colourMode);
    const bool alpha = image.mode == ColourMode::Alpha;
    if (p.colourCount == 0) {
        image.trueColourPixels.reserve(p.trueColour.size());
        for (const std::uint32_t v : p.trueColour) {
            const auto opacity = static_cast<std::int32_t>(v & 0xFF);
            Rgba c{rgbOf(static_cast<std::int32_t>(v >> 24), static_cast<std::int32_t>(v >> 16),
                         static_cast<std::int32_t>(v >> 8)),
                   kOpaque};
            if (alpha) c.alpha = alphaSteps(opacity);
            if (image.mode == ColourMode::OneTransparent && opacity == 0) c.alpha = kTransparent;
            image.trueColourPixels.push_back(c);
        }
        return image;
    }
    const std::size_t stored =
        image.mode == ColourMode::OneTransparent ? p.colours.size() - 1 : p.colours.size();
    for (std::size_t i = 0; i < stored; ++i)
        image.palette.push_back(
            {rgbOf(p.colours[i]), alpha ? alphaSteps(p.colours[i].opacity) : kOpaque});
    image.indices = p.indices;
    return image;
}

} // namespace kestrel::typ
