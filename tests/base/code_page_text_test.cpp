#include "base/code_page_text.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

TEST(CodePageText, LabelsGoIntoTheirCodePageAndBack) {
    struct Case {
        std::uint16_t codePage;
        std::string utf8;
        std::string bytes;
    };
    const std::vector<Case> cases{
        {1252, "Café €5",
         "Caf\xE9 \x80"
         "5"},
        {1250, "Łódź",
         "\xA3\xF3"
         "d\x9F"},
        {1251, "Дорога", "\xC4\xEE\xF0\xEE\xE3\xE0"},
        {1253, "Οδός", "\xCF\xE4\xFC\xF2"},
        {65001, "東京", "\xE6\x9D\xB1\xE4\xBA\xAC"},
        {0, "Plain", "Plain"},
        {932, "\xC2\x82\xC3\xA0", "\x82\xE0"}, // no table: byte for byte as Latin-1
        {1252, "\xC2\x81", "\x81"},            // a byte 1252 leaves undefined reads as itself
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.codePage);
        EXPECT_EQ(fromUtf8(c.utf8, c.codePage), c.bytes);
        EXPECT_EQ(toUtf8(c.bytes, c.codePage), c.utf8);
    }
}

TEST(CodePageText, ACharacterTheCodePageLacksRefusesTheLabel) {
    EXPECT_FALSE(fromUtf8("Ωmega", 1252));
    EXPECT_FALSE(fromUtf8("Café", 0)); // ASCII, mkgmap's default
    EXPECT_FALSE(fromUtf8("東", 1251));
    EXPECT_FALSE(fromUtf8("a\xFF", 1252));                 // no UTF-8
    EXPECT_FALSE(fromUtf8(std::string("a\0b", 3), 65001)); // a 0 would end the label
    EXPECT_EQ(toUtf8("a\xFF", 65001), "a\xEF\xBF\xBD");
    EXPECT_FALSE(readsExactly("a\xFF", 65001));
    EXPECT_FALSE(readsExactly("\xE9", 0));
    EXPECT_TRUE(readsExactly("\xE9", 1252));
}

} // namespace
} // namespace kestrel
