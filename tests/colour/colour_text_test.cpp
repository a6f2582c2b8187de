#include "colour/colour_text.h"

#include <gtest/gtest.h>

using namespace kestrel;

TEST(ColourText, RevPadsToSixAndReversesThePairs) {
    EXPECT_EQ(rev("FF8000"), "0080FF");
    EXPECT_EQ(rev("ffff00"), "00FFFF");
    EXPECT_EQ(rev("FF"), "FF0000"); // 0000FF: pure red as a value
    EXPECT_EQ(rev(""), "000000");
    EXPECT_EQ(rev("12345"), "452301"); // 012345
}

TEST(ColourText, RevKeepsOnlyTheLastSixDigitsOfALongerText) {
    EXPECT_EQ(rev("AB112233"), "332211");
}

TEST(ColourText, ReversehexTurnsAScreenValueIntoRrggbb) {
    // A pixel of red 0x12, green 0x34, blue 0x56 reads as the value 0x563412.
    EXPECT_EQ(reversehex("563412"), "123456");
    EXPECT_EQ(reversehex("FF"), "FF0000");
    EXPECT_EQ(reversehex("0"), "000000");
}

TEST(ColourText, TextAndValueConvertBothWays) {
    EXPECT_EQ(colourFromText("FF8000"), 0x0080FF);
    EXPECT_EQ(colourFromText("ffff00"), kYellow);
    EXPECT_EQ(colourFromText("ffffff"), kWhite);
    // The value's own `rev` gives the text back.
    EXPECT_EQ(rev(kYellow), "FFFF00");
    EXPECT_EQ(rev(0), "000000");
    for (ColourValue v : {0, 1, 0x0080FF, 0x123456, kWhite}) EXPECT_EQ(colourFromText(rev(v)), v);
}
