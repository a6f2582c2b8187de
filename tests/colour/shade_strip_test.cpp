#include "colour/shade_strip.h"

#include <gtest/gtest.h>

using namespace kestrel;

namespace {

Rgb at(const ShadeStrip& s, int k) {
    return CToRGB(s.stripes[static_cast<std::size_t>(k)]);
}

} // namespace

TEST(ShadeStrip, CToRgbSplitsRedGreenBlue) {
    const Rgb c = CToRGB(0x563412);
    EXPECT_EQ(c.r, 0x12);
    EXPECT_EQ(c.g, 0x34);
    EXPECT_EQ(c.b, 0x56);
    EXPECT_EQ(rgbValue(c), 0x563412);
}

TEST(ShadeStrip, NegativeColourDrawsNothing) {
    EXPECT_FALSE(shades(-1).has_value());
}

TEST(ShadeStrip, DarkerHalfRunsFromAboutFifteenPercentToTheColour) {
    const auto s = shades(rgbValue({200, 100, 50}));
    ASSERT_TRUE(s);
    EXPECT_EQ(s->stripes[127], rgbValue({200, 100, 50}));
    // d = 127: 200 - int(200 / 150 * 127) = 200 - 169 = 31
    EXPECT_EQ(at(*s, 0).r, 31);
    EXPECT_EQ(at(*s, 0).g, 100 - 84);
    EXPECT_EQ(at(*s, 0).b, 50 - 42);
    // d = 27 at stripe 100: 200 - int(36) = 164
    EXPECT_EQ(at(*s, 100).r, 164);
    for (int k = 1; k < 128; ++k) EXPECT_GE(at(*s, k).r, at(*s, k - 1).r);
}

TEST(ShadeStrip, LighterHalfRunsFromTheColourTowardsWhite) {
    const auto s = shades(rgbValue({100, 155, 55}));
    ASSERT_TRUE(s);
    EXPECT_EQ(s->stripes[128], rgbValue({100, 155, 55}));
    // factors 1.55, 1.0, 2.0; d = 10 at stripe 138
    EXPECT_EQ(at(*s, 138).r, 115);
    EXPECT_EQ(at(*s, 138).g, 165);
    EXPECT_EQ(at(*s, 138).b, 75);
    // All components reach 255 before the end and stay there.
    EXPECT_EQ(s->stripes[255], kWhite);
    EXPECT_EQ(at(*s, 228).g, 255);
}

TEST(ShadeStrip, FullComponentUsesFactorOneAndIsClampedAt255) {
    const auto s = shades(rgbValue({255, 0, 0}));
    ASSERT_TRUE(s);
    for (int k = 128; k < 256; ++k) EXPECT_EQ(at(*s, k).r, 255);
    // green factor 2.55: d = 1 gives int(2.55) = 2
    EXPECT_EQ(at(*s, 129).g, 2);
}

TEST(ShadeStrip, MarkerStandsUnderTheLastStripeOfTheColour) {
    EXPECT_EQ(shades(rgbValue({200, 100, 50}))->marker, 128);
    // White: the whole lighter half is white, the marker ends at its far end.
    EXPECT_EQ(shades(kWhite)->marker, 255);
    // Black: the darker half is all black, the lighter half starts black.
    EXPECT_EQ(shades(0)->marker, 128);
}

TEST(ShadeStrip, StripeWidthIsTheRoundedSplitOfTheStrip) {
    EXPECT_EQ(stripeWidth(512), 2);
    EXPECT_EQ(stripeWidth(256), 1);
    EXPECT_EQ(stripeWidth(100), 1); // never 0
    EXPECT_EQ(stripeAt(0, 512), 0);
    EXPECT_EQ(stripeAt(511, 512), 255);
    EXPECT_EQ(stripeAt(-5, 512), 0);
    EXPECT_EQ(stripeAt(900, 512), 255);
}
