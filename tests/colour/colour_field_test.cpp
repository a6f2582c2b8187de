#include "colour/colour_field.h"

#include <cstdlib>
#include <gtest/gtest.h>

#include "colour/colour_text.h"
#include "colour/palette.h"
#include "colour/shade_strip.h"

using namespace kestrel;

namespace {

constexpr int kW = 360;
constexpr int kH = 256;

int distance(ColourValue a, ColourValue b) {
    const Rgb x = CToRGB(a), y = CToRGB(b);
    return std::abs(x.r - y.r) + std::abs(x.g - y.g) + std::abs(x.b - y.b);
}

} // namespace

TEST(ColourField, HueRunsAcrossAndLightnessDown) {
    // Pure hues on the middle line at 0, 120 and 240 degrees; white on top, black at the bottom.
    const struct {
        ColourValue colour;
        int x, y;
    } cases[] = {{255, 0, kH / 2},
                 {255 * 256, 120, kH / 2},
                 {255 * 65536, 240, kH / 2},
                 {kWhite, 0, 0},
                 {0, 0, kH - 1}};
    for (const auto& c : cases) {
        EXPECT_LE(distance(fieldColour(c.x, c.y, kW, kH), c.colour), 4) << c.colour;
        const FieldPoint p = find_color(c.colour, kW, kH);
        EXPECT_EQ(p.x, c.x) << c.colour;
        EXPECT_NEAR(p.y, c.y, 1) << c.colour;
    }
    EXPECT_EQ(fieldColour(0, 0, kW, kH), kWhite);
    EXPECT_EQ(fieldColour(0, kH - 1, kW, kH), 0);
}

TEST(ColourField, PixelAtFoundPositionGivesTheColourBack) {
    for (int x = 0; x < kW; x += 7) {
        for (int y = 0; y < kH; y += 9) {
            const ColourValue c = fieldColour(x, y, kW, kH);
            const FieldPoint p = find_color(c, kW, kH);
            EXPECT_LE(distance(fieldColour(p.x, p.y, kW, kH), c), 12) << x << "," << y;
        }
    }
}

TEST(ColourField, DullColoursKeepTheirHueAndLightness) {
    // A palette grey sits on the left edge at its lightness.
    const ColourValue grey = colourFromText("9e9e9e");
    const FieldPoint p = find_color(grey, kW, kH);
    EXPECT_EQ(p.x, 0);
    const Rgb back = CToRGB(fieldColour(p.x, p.y, kW, kH));
    EXPECT_NEAR((std::max({back.r, back.g, back.b}) + std::min({back.r, back.g, back.b})) / 2, 0x9e,
                3);
}

TEST(ColourField, PositionsStayInsideTheField) {
    for (auto text : kPalette) {
        const FieldPoint p = find_color(colourFromText(text), kW, kH);
        EXPECT_GE(p.x, 0);
        EXPECT_LT(p.x, kW);
        EXPECT_GE(p.y, 0);
        EXPECT_LT(p.y, kH);
    }
    const FieldPoint tiny = find_color(kYellow, 1, 1);
    EXPECT_EQ(tiny.x, 0);
    EXPECT_EQ(tiny.y, 0);
}
