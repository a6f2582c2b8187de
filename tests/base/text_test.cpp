#include "base/text.h"

#include <gtest/gtest.h>

using namespace kestrel;

TEST(Text, ValReadsTheLeadingNumberOnly) {
    EXPECT_EQ(val("12abc"), 12);
    EXPECT_EQ(val("  2.5"), 2.5);
    EXPECT_EQ(val("abc"), 0);
    EXPECT_EQ(val(""), 0);
    EXPECT_EQ(val("-3"), -3);
    EXPECT_EQ(val("1e3x"), 1000);
    EXPECT_EQ(val("1.2.3"), 1.2);
}

TEST(Text, RoundingSendsHalvesToTheEvenNeighbour) {
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(3.5), 4);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(2.51), 3);
}

TEST(Text, HexIsUpperCaseWithoutLeadingZeros) {
    EXPECT_EQ(hex(0), "0");
    EXPECT_EQ(hex(0x4b), "4B");
    EXPECT_EQ(hex(0x10d01), "10D01");
    EXPECT_EQ(hexValue("1fF"), 0x1ffu);
    EXPECT_EQ(hexValue("2g"), 2u);
}

TEST(Text, PaddingAndSeparatorPosition) {
    EXPECT_EQ(pad2("7"), "07");
    EXPECT_EQ(pad2(""), "00");
    EXPECT_EQ(pad2("AB"), "AB");
    EXPECT_EQ(padTo(6, "A"), "00000A");
    EXPECT_EQ(separatorPosition("1,5"), 2u);
    EXPECT_EQ(separatorPosition("1.5,2"), 2u);
    EXPECT_EQ(separatorPosition("15"), 0u);
}

TEST(Text, SplitKeepsEmptyParts) {
    const auto parts = split("a\r\n\r\nb\r\n", "\r\n");
    ASSERT_EQ(parts.size(), 4u);
    EXPECT_EQ(parts[1], "");
    EXPECT_EQ(parts[3], "");
    EXPECT_EQ(replaceAll("a-*b-*", "-*", "\r\n"), "a\r\nb\r\n");
    EXPECT_EQ(trim("  x y  "), "x y");
}
