// The header's clock and code page values; the header bytes are golden files
// (tests/data/golden/gen_*).
#include "typbin/typ_header.h"

#include <gtest/gtest.h>

#include "base/code_page.h"

namespace kestrel {
namespace {

TEST(TypClock, EpochSecondsGiveTheUtcDate) {
    const struct {
        std::int64_t seconds;
        typ::DateTime utc;
    } cases[] = {
        {1796479629, {2026, 12, 5, 14, 7, 9}},
        {0, {1970, 1, 1, 0, 0, 0}},
        {951782400, {2000, 2, 29, 0, 0, 0}},
        {-1, {1969, 12, 31, 23, 59, 59}},
    };
    for (const auto& c : cases) {
        const typ::DateTime t = typ::dateTimeUtc(c.seconds);
        EXPECT_EQ((std::array{t.year, t.month, t.day, t.hour, t.minute, t.second}),
                  (std::array{c.utc.year, c.utc.month, c.utc.day, c.utc.hour, c.utc.minute,
                              c.utc.second}))
            << c.seconds;
    }
}

TEST(CodepageValue, ReadsTheTrimmedNumberElseZero) {
    const std::pair<const char*, int> cases[] = {{"1252", 1252}, {" 1250 ", 1250}, {"65535", 65535},
                                                 {"", 0},        {"abc", 0},       {"12x", 0},
                                                 {"-1", 0},      {"65536", 0}};
    for (const auto& [text, number] : cases) EXPECT_EQ(CodePage(text).number(), number) << text;
}

} // namespace
} // namespace kestrel
