#include "typbin/typ_header.h"

#include <gtest/gtest.h>

#include "base/code_page.h"
#include "support/typ_test_reader.h"

namespace kestrel {
namespace {

using test::TypBytes;

TypHeaderInfo fifthDecember() {
    return {TypDateTime{2026, 12, 5, 14, 7, 9}, 1252};
}

TEST(TypHeader, DateAndTimeAreYearDayMonthHourMinuteSecond) {
    ByteImage im(0x5B);
    writeCommonHeader(im, 0x5B, fifthDecember());
    EXPECT_EQ(TypBytes(im.bytes()).hexdump(0x0E, 7), "7E 00 05 0C 0E 07 09");
}

TEST(TypHeader, CommonFieldsOfTheShortForm) {
    ByteImage im(0x5B);
    writeCommonHeader(im, 0x5B, fifthDecember());
    const TypBytes f(im.bytes());
    EXPECT_EQ(f.u16(0x00), 0x5Bu);
    EXPECT_EQ(f.str(0x02, 10), "GARMIN TYP");
    EXPECT_EQ(f.u8(0x0C), 1u);
    EXPECT_EQ(f.u8(0x0D), 0u);
    EXPECT_EQ(f.hexdump(0x15, 2), "E4 04");
    EXPECT_EQ(f.u16(0x2F), 5778u);
    EXPECT_EQ(f.hexdump(0x2F, 4), "92 16 01 00");
    EXPECT_TRUE(f.allZero(0x17, 0x2F));
    EXPECT_TRUE(f.allZero(0x33, 0x5B));
    EXPECT_EQ(f.size(), 0x5Bu);
}

TEST(TypHeader, LongFormRecordsItsLength) {
    ByteImage im(0xAE);
    writeCommonHeader(im, 0xAE, fifthDecember());
    EXPECT_EQ(TypBytes(im.bytes()).hexdump(0, 2), "AE 00");
}

TEST(TypHeader, YearIsTheLastTwoDigitsPlus100) {
    ByteImage im(0x5B);
    writeCommonHeader(im, 0x5B, {TypDateTime{2000, 1, 31, 23, 59, 59}, 1250});
    const TypBytes f(im.bytes());
    EXPECT_EQ(f.hexdump(0x0E, 9), "64 00 1F 01 17 3B 3B E2 04");
}

TEST(CodepageValue, ReadsTheTrimmedNumber) {
    EXPECT_EQ(CodePage("1252").number(), 1252);
    EXPECT_EQ(CodePage(" 1250 ").number(), 1250);
    EXPECT_EQ(CodePage("65535").number(), 65535);
}

TEST(CodepageValue, TextThatIsNotANumberGivesZero) {
    EXPECT_EQ(CodePage("").number(), 0);
    EXPECT_EQ(CodePage("abc").number(), 0);
    EXPECT_EQ(CodePage("12x").number(), 0);
    EXPECT_EQ(CodePage("-1").number(), 0);
    EXPECT_EQ(CodePage("65536").number(), 0);
    ByteImage im(0x5B);
    writeCommonHeader(im, 0x5B, {TypDateTime{}, CodePage("latin").number()});
    EXPECT_EQ(TypBytes(im.bytes()).hexdump(0x15, 2), "00 00");
}

TEST(TypClock, EpochSecondsGiveTheUtcDate) {
    const TypDateTime t = typDateTimeUtc(1796479629); // 2026-12-05 14:07:09 UTC
    EXPECT_EQ(t.year, 2026);
    EXPECT_EQ(t.month, 12);
    EXPECT_EQ(t.day, 5);
    EXPECT_EQ(t.hour, 14);
    EXPECT_EQ(t.minute, 7);
    EXPECT_EQ(t.second, 9);
}

TEST(TypClock, EpochStartAndLeapDay) {
    const TypDateTime zero = typDateTimeUtc(0);
    EXPECT_EQ(zero.year, 1970);
    EXPECT_EQ(zero.month, 1);
    EXPECT_EQ(zero.day, 1);
    const TypDateTime leap = typDateTimeUtc(951782400); // 2000-02-29 00:00:00
    EXPECT_EQ(leap.year, 2000);
    EXPECT_EQ(leap.month, 2);
    EXPECT_EQ(leap.day, 29);
    const TypDateTime before = typDateTimeUtc(-1); // 1969-12-31 23:59:59
    EXPECT_EQ(before.year, 1969);
    EXPECT_EQ(before.day, 31);
    EXPECT_EQ(before.second, 59);
}

} // namespace
} // namespace kestrel
