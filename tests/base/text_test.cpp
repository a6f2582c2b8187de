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

TEST(Text, ControlCharactersAreEscapedAndNothingElse) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"6\x1B]0;x\x07\x1B[2J", "6\\x1B]0;x\\x07\\x1B[2J"},
        {"a\r\nb\tc\x7F", "a\\x0D\\x0Ab\\x09c\\x7F"},
        {std::string_view("\0x", 2), "\\x00x"},
        {"\xC2\x9B 2J \xC2\x80", "\\xC2\\x9B 2J \\xC2\\x80"},           // C1 controls in UTF-8
        {"K\xC3\xA4rnten \xC2\xA0\xC2", "K\xC3\xA4rnten \xC2\xA0\xC2"}, // UTF-8, a lone lead
        {"C:\\maps\\\xE9t\xE9.img", "C:\\maps\\\xE9t\xE9.img"},         // 8-bit, backslashes
    };
    for (const auto& [text, escaped] : cases) {
        EXPECT_EQ(escapeControls(text), escaped);
        EXPECT_EQ(escapeControls(escapeControls(text)), escaped);
    }
}
