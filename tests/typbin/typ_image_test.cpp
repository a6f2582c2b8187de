#include "typbin/typ_image.h"

#include <gtest/gtest.h>

#include "support/typ_test_reader.h"

namespace kestrel {
namespace {

using test::TypBytes;

TEST(ByteImage, PutWritesLittleEndianAtTheOffset) {
    ByteImage im(12);
    im.put1u(0, 0xAB);
    im.put2u(1, 0x1692);
    im.put3u(3, 0x0A0B0C);
    im.put4u(6, 0x01020304);
    EXPECT_EQ(TypBytes(im.bytes()).hexdump(0, 12), "AB 92 16 0C 0B 0A 04 03 02 01 00 00");
}

TEST(ByteImage, PutPastTheEndGrowsWithZeros) {
    ByteImage im;
    im.put2u(3, 0xFFFF);
    EXPECT_EQ(TypBytes(im.bytes()).hexdump(0, 5), "00 00 00 FF FF");
    EXPECT_EQ(im.size(), 5u);
}

TEST(ByteImage, HeadInsideThePreSizedBufferOnlyPlacesTheByte) {
    ByteImage im(91);
    head(im, 90, 7);
    EXPECT_EQ(im.size(), 91u);
    EXPECT_EQ(TypBytes(im.bytes()).u8(90), 7u);
}

TEST(ByteImage, HeadOnAnEmptyBufferGrowsByBlanks) {
    ByteImage im;
    head(im, 0, 0x5B);
    ASSERT_EQ(im.size(), 256u);
    EXPECT_EQ(TypBytes(im.bytes()).u8(0), 0x5Bu);
    EXPECT_EQ(TypBytes(im.bytes()).u8(1), 0x20u);
    EXPECT_EQ(TypBytes(im.bytes()).u8(255), 0x20u);
}

TEST(ByteImage, HeadAtTheEndOrFarBeyondGrowsIn256ByteSteps) {
    ByteImage im(10);
    head(im, 10, 1);
    EXPECT_EQ(im.size(), 266u);
    head(im, 800, 2);
    EXPECT_EQ(im.size(), 1034u); // 266 + 3 x 256
    EXPECT_EQ(TypBytes(im.bytes()).u8(800), 2u);
    EXPECT_EQ(TypBytes(im.bytes()).u8(799), 0x20u);
}

TEST(ByteImage, PutHead4ClearsAllFourBytesBeforeWritingASmallValue) {
    ByteImage im(8);
    im.put4u(2, 0xFFFFFFFF);
    put_head4(im, 2, 0x5B);
    EXPECT_EQ(TypBytes(im.bytes()).hexdump(2, 4), "5B 00 00 00");
    put_head4(im, 2, 0x12345); // an odd number of hexadecimal digits
    EXPECT_EQ(TypBytes(im.bytes()).hexdump(2, 4), "45 23 01 00");
    put_head4(im, 2, 0xFFFFFFFF);
    EXPECT_EQ(TypBytes(im.bytes()).u32(2), 0xFFFFFFFFu);
}

TEST(Fnblk0, PadsOnTheHighSide) {
    EXPECT_EQ(TypBytes(fnblk0("10E")).hexdump(0, 4), "0E 01 00 00");
    EXPECT_EQ(TypBytes(fnblk0("0")).hexdump(0, 4), "00 00 00 00");
    EXPECT_EQ(TypBytes(fnblk0("")).hexdump(0, 4), "00 00 00 00");
    EXPECT_EQ(TypBytes(fnblk0("deadBEEF")).hexdump(0, 4), "EF BE AD DE");
}

TEST(Fnblk0, KeepsTheLowEightDigitsAndStopsAtTheFirstNonDigit) {
    EXPECT_EQ(TypBytes(fnblk0("123456789")).hexdump(0, 4), "89 67 45 23");
    EXPECT_EQ(TypBytes(fnblk0("1F,2")).hexdump(0, 4), "1F 00 00 00");
}

} // namespace
} // namespace kestrel
