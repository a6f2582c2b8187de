#include "colour/shade_strip.h"

#include <gtest/gtest.h>

using namespace kestrel;

namespace {

Rgb at(const ShadeStrip& s, int k) {
    return CToRGB(s.stripes[static_cast<std::size_t>(k)]);
}

} // namespace

TEST(ShadeStrip, ColourValuesSplitIntoRedGreenBlue) {
    const Rgb c = CToRGB(0x563412);
    EXPECT_EQ((std::array{c.r, c.g, c.b}), (std::array{0x12, 0x34, 0x56}));
    EXPECT_EQ(rgbValue(c), 0x563412);
    EXPECT_FALSE(shades(-1).has_value()); // a negative colour draws nothing
}

TEST(ShadeStrip, DarkerHalfRunsFromAboutFifteenPercentToTheColour) {
    const auto s = shades(rgbValue({200, 100, 50}));
    ASSERT_TRUE(s);
    EXPECT_EQ(s->stripes[127], rgbValue({200, 100, 50}));
    // d = 127: 200 - int(200 / 150 * 127) = 200 - 169 = 31
    EXPECT_EQ(s->stripes[0], rgbValue({31, 100 - 84, 50 - 42}));
    // d = 27 at stripe 100: 200 - int(36) = 164
    EXPECT_EQ(at(*s, 100).r, 164);
    for (int k = 1; k < 128; ++k) EXPECT_GE(at(*s, k).r, at(*s, k - 1).r);
}

TEST(ShadeStrip, LighterHalfRunsFromTheColourTowardsWhite) {
    const auto s = shades(rgbValue({100, 155, 55}));
    ASSERT_TRUE(s);
    EXPECT_EQ(s->stripes[128], rgbValue({100, 155, 55}));
    // factors 1.55, 1.0, 2.0; d = 10 at stripe 138
    EXPECT_EQ(s->stripes[138], rgbValue({115, 165, 75}));
    // All components reach 255 before the end and stay there.
    EXPECT_EQ(s->stripes[255], kWhite);
    EXPECT_EQ(at(*s, 228).g, 255);
    // A full component uses factor 1 and stays at 255; green's factor 2.55: d = 1 gives 2.
    const auto red = shades(rgbValue({255, 0, 0}));
    for (int k = 128; k < 256; ++k) EXPECT_EQ(at(*red, k).r, 255);
    EXPECT_EQ(at(*red, 129).g, 2);
}

TEST(ShadeStrip, MarkerAndStripesOfTheDrawnStrip) {
    // The marker stands under the last stripe of the colour.
    EXPECT_EQ(shades(rgbValue({200, 100, 50}))->marker, 128);
    EXPECT_EQ(shades(kWhite)->marker, 255); // the whole lighter half is white
    EXPECT_EQ(shades(0)->marker, 128);      // the lighter half starts black
    EXPECT_EQ(stripeWidth(512), 2);
    EXPECT_EQ(stripeWidth(256), 1);
    EXPECT_EQ(stripeWidth(100), 1); // never 0
    for (const auto& [x, stripe] : {std::pair{0, 0}, {511, 255}, {-5, 0}, {900, 255}})
        EXPECT_EQ(stripeAt(x, 512), stripe) << x;
}
