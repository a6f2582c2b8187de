#include "colour/colour_text.h"

#include <gtest/gtest.h>

#include "colour/hex_field.h"
#include "colour/palette.h"

using namespace kestrel;

TEST(ColourText, TextsAndValuesConvertBothWays) {
    // rev of a text pads to six digits, keeps the last six and reverses the pairs.
    for (const auto& [text, reversed] : {std::pair{"FF8000", "0080FF"},
                                         {"ffff00", "00FFFF"},
                                         {"FF", "FF0000"},
                                         {"", "000000"},
                                         {"12345", "452301"},
                                         {"AB112233", "332211"}})
        EXPECT_EQ(rev(std::string_view(text)), reversed) << text;
    // A pixel of red 0x12, green 0x34, blue 0x56 reads as the value 0x563412.
    for (const auto& [value, text] :
         {std::pair{"563412", "123456"}, {"FF", "FF0000"}, {"0", "000000"}})
        EXPECT_EQ(reversehex(value), text) << value;
    EXPECT_EQ(colourFromText("FF8000"), 0x0080FF);
    EXPECT_EQ(colourFromText("ffff00"), kYellow);
    EXPECT_EQ(colourFromText("ffffff"), kWhite);
    for (ColourValue v : {0, 1, 0x0080FF, 0x123456, kWhite}) EXPECT_EQ(colourFromText(rev(v)), v);
    EXPECT_EQ(rev(kYellow), "FFFF00");
}

TEST(HexField, TakesHexDigitsAndMakesAColourOfSix) {
    for (char c : std::string("0123456789ABCDEFabcdef\b")) EXPECT_TRUE(hexFieldAccepts(c)) << c;
    for (char c : std::string("gG#x -&")) EXPECT_FALSE(hexFieldAccepts(c)) << c;
    EXPECT_FALSE(hexFieldAccepts('\0'));
    EXPECT_EQ(hexFieldText("FF80001"), "FF8000");
    EXPECT_EQ(hexFieldText("FF8"), "FF8");
    EXPECT_EQ(hexFieldText("#ff 80-00"), "ff8000");
    EXPECT_EQ(hexFieldColour("FF8000"), 0x0080FF);
    EXPECT_EQ(hexFieldColour("ff8000"), 0x0080FF);
    for (const char* text : {"FF800", "", "FF80001", "FF80G0"}) EXPECT_FALSE(hexFieldColour(text));
}

TEST(Palette, SwatchesFillFourColumnsAndSixRows) {
    for (const auto& [k, x, y] :
         {std::tuple{0, 0, 0}, {1, 30, 0}, {3, 90, 0}, {4, 0, 36}, {23, 90, 5 * 36}}) {
        EXPECT_EQ(swatchPlace(k, 20).x, x) << k;
        EXPECT_EQ(swatchPlace(k, 20).y, y) << k;
    }
}
