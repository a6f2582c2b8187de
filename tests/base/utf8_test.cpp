#include "base/utf8.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

std::string utf8(std::uint32_t cp) {
    std::string s;
    appendUtf8(s, cp);
    return s;
}

TEST(Utf8, EncodesEachLengthAndReplacesWhatIsNoCharacter) {
    EXPECT_EQ(utf8('A'), "A");
    EXPECT_EQ(utf8(0xE4), "\xC3\xA4");
    EXPECT_EQ(utf8(0x20AC), "\xE2\x82\xAC");
    EXPECT_EQ(utf8(0x1F600), "\xF0\x9F\x98\x80");
    EXPECT_EQ(utf8(0xD800), "\xEF\xBF\xBD");
    EXPECT_EQ(utf8(0x110000), "\xEF\xBF\xBD");
}

TEST(Utf8, RecognisesWellFormedText) {
    EXPECT_TRUE(isUtf8("plain"));
    EXPECT_TRUE(isUtf8("K\xC3\xA4rnten \xF0\x9F\x98\x80"));
    EXPECT_FALSE(isUtf8("K\xE4rnten")); // code page 1252
    EXPECT_FALSE(isUtf8("\xC3"));       // cut short
    EXPECT_FALSE(isUtf8("\xE2\x82"));
    EXPECT_FALSE(isUtf8("\xFF"));
}

} // namespace
} // namespace kestrel
