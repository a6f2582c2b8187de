#pragma once
// The colour of the TYP model: red, green and blue as bytes, so that no reader or writer has to
// remember which end of an integer holds which. Files store the three bytes as blue, green, red;
// texts write #RRGGBB.
#include <cstdint>

namespace kestrel::typ {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    bool operator==(const Rgb&) const = default;
};

// #RRGGBB as a number (0xRRGGBB).
constexpr Rgb rgbFromHex(std::uint32_t rrggbb) {
    return {static_cast<std::uint8_t>(rrggbb >> 16), static_cast<std::uint8_t>(rrggbb >> 8),
            static_cast<std::uint8_t>(rrggbb)};
}

// The format keeps 16 steps of transparency: 0 opaque to 15 fully transparent, as stored and as a
// text's `alpha=N` writes it. A text's #RRGGBBAA (00 transparent, FF opaque) maps onto it.
inline constexpr std::uint8_t kOpaque = 0;
inline constexpr std::uint8_t kTransparent = 15;

// The transparency steps of an 8-bit opacity (FF opaque), rounded as mkgmap rounds them.
constexpr std::uint8_t alphaFromOpacity(std::uint8_t opacity) {
    const int v = 255 - opacity;
    int high = v >> 4;
    const int low = v & 15;
    if (low - high > 8) ++high;
    if (low - high < -8) --high;
    return static_cast<std::uint8_t>(high);
}
// The 8-bit opacity a step stands for (alphaFromOpacity gives the step back).
constexpr std::uint8_t opacityFromAlpha(std::uint8_t alpha) {
    return static_cast<std::uint8_t>(255 - 17 * (alpha & 15));
}

// A colour of an icon palette or a true-colour pixel: the colour and its transparency.
struct Rgba {
    Rgb rgb;
    std::uint8_t alpha = kOpaque; // 0 opaque .. 15 transparent

    bool operator==(const Rgba&) const = default;
};

} // namespace kestrel::typ
