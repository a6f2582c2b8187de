#include "colour/palette.h"

#include <gtest/gtest.h>

#include "colour/colour_text.h"
#include "colour/hex_field.h"

using namespace kestrel;

TEST(Palette, HoldsTheTwentyFourSwatchesInOrder) {
    EXPECT_EQ(kPalette.front(), "ffff00");
    EXPECT_EQ(kPalette[4], "e2202c");
    EXPECT_EQ(kPalette[19], "fc5830");
    EXPECT_EQ(kPalette[20], "fc5830");
    EXPECT_EQ(kPalette.back(), "000000");
    EXPECT_EQ(colourFromText(kPalette[0]), kYellow);
    EXPECT_EQ(colourFromText(kPalette[2]), 16711680);
}

TEST(Palette, SwatchesFillFourColumnsAndSixRows) {
    EXPECT_EQ(swatchPlace(0, 20).x, 0);
    EXPECT_EQ(swatchPlace(1, 20).x, 30);
    EXPECT_EQ(swatchPlace(3, 20).x, 90);
    EXPECT_EQ(swatchPlace(3, 20).y, 0);
    EXPECT_EQ(swatchPlace(4, 20).x, 0);
    EXPECT_EQ(swatchPlace(4, 20).y, 36);
    EXPECT_EQ(swatchPlace(23, 20).x, 90);
    EXPECT_EQ(swatchPlace(23, 20).y, 5 * 36);
}

TEST(HexField, AcceptsBackspaceAndHexDigitsOnly) {
    for (char c : std::string("0123456789ABCDEFabcdef\b")) EXPECT_TRUE(hexFieldAccepts(c)) << c;
    for (char c : std::string("gG#x -&")) EXPECT_FALSE(hexFieldAccepts(c)) << c;
    EXPECT_FALSE(hexFieldAccepts('\0'));
}

TEST(HexField, SeventhCharacterIsCutOff) {
    EXPECT_EQ(hexFieldText("FF80001"), "FF8000");
    EXPECT_EQ(hexFieldText("FF8"), "FF8");
}

TEST(HexField, PastedForeignCharactersAreDropped) {
    EXPECT_EQ(hexFieldText("#ff 80-00"), "ff8000");
}

TEST(HexField, OnlySixDigitsMakeAColour) {
    EXPECT_EQ(hexFieldColour("FF8000"), 0x0080FF);
    EXPECT_EQ(hexFieldColour("ff8000"), 0x0080FF);
    EXPECT_FALSE(hexFieldColour("FF800"));
    EXPECT_FALSE(hexFieldColour(""));
    EXPECT_FALSE(hexFieldColour("FF80001"));
    EXPECT_FALSE(hexFieldColour("FF80G0"));
}
