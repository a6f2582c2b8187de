#include <gtest/gtest.h>

#include "base/files.h"
#include "mapread/map_buffer.h"
#include "support/fake_ui.h"
#include "support/img_builder.h"
#include "support/temp_dir.h"

namespace kestrel::test {
namespace {

TEST(MapBuffer, ReadersAreLittleEndianAndZeroOutsideTheFile) {
    const MapBuffer b = MapBuffer::fromBytes(std::string("\x01\x02\x03\xF4\x05", 5));
    EXPECT_EQ(b.dat(0), 1);
    EXPECT_EQ(b.bit2(0), 0x0201u);
    EXPECT_EQ(b.bit3(0), 0x030201u);
    EXPECT_EQ(b.bit4(0), static_cast<std::int32_t>(0xF4030201u));
    EXPECT_LT(b.bit4(0), 0);
    EXPECT_EQ(b.dat(5), 0);
    EXPECT_EQ(b.dat(-1), 0);
    volatile std::int64_t far = INT64_MAX; // kept opaque to the optimiser's bounds warnings
    EXPECT_EQ(b.dat(far), 0);
    EXPECT_EQ(b.dat(-far - 1), 0);
    EXPECT_EQ(b.bit4(3), 0x05F4);
    EXPECT_EQ(b.bit2(-1), 0x0100u);
}

TEST(MapBuffer, KeyIsAppliedByEveryReader) {
    MapBuffer b = MapBuffer::fromBytes(std::string("\x4B\x4A\x49", 3));
    EXPECT_EQ(b.rawFirstByte(), 0x4B);
    b.setKey(0x4B);
    EXPECT_EQ(b.dat(0), 0);
    EXPECT_EQ(b.dat(1), 1);
    EXPECT_EQ(b.bit2(1), 0x0201u);
    EXPECT_EQ(b.dat(3), 0); // outside the file stays 0, not the key
}

TEST(MapBuffer, FindsTheFirstOfEachSignatureAlsoWhenMasked) {
    ImgBuilder img(0x400);
    img.header(0x100, "RGN", 0x7D).header(0x180, "TRE", 0x9A).header(0x200, "RGN", 0x7D);
    img.header(0x300, "TRE", 0x9A);
    FakeUi ui;
    for (std::uint8_t key : {0x00, 0x4B, 0xFF}) {
        MapBuffer b = MapBuffer::fromBytes(img.bytes(key));
        b.setKey(key);
        const auto s = b.findSignatures(ui);
        EXPECT_EQ(s.rgn, 0x102);
        EXPECT_EQ(s.tre, 0x182);
        EXPECT_EQ(s.gmp, -1);
    }
    // Unmasked, a masked file shows no signature.
    MapBuffer masked = MapBuffer::fromBytes(img.bytes(0x4B));
    EXPECT_EQ(masked.findSignatures(ui).rgn, -1);
}

TEST(MapBuffer, SignatureAtTheVeryEndIsFound) {
    ImgBuilder img(0x20);
    img.putText(0x16, "GARMIN GMP");
    const MapBuffer b = MapBuffer::fromBytes(img.bytes());
    FakeUi ui;
    EXPECT_EQ(b.findSignatures(ui).gmp, 0x16);
    EXPECT_EQ(MapBuffer::fromBytes("GARMIN GM").findSignatures(ui).gmp, -1);
}

TEST(MapBuffer, ZeroRunCountsZerosInsideAndOutsideTheFile) {
    MapBuffer b = MapBuffer::fromBytes(std::string("\x00\x00\x07\x00", 4));
    EXPECT_EQ(b.zeroRun(0, 100), 2);
    EXPECT_EQ(b.zeroRun(-10, 100), 12);
    EXPECT_EQ(b.zeroRun(3, 100), 100);
    EXPECT_EQ(b.zeroRun(2, 100), 0);
    EXPECT_EQ(b.outsideRun(-3, 100), 3);
    EXPECT_EQ(b.outsideRun(4, 7), 7);
    b.setKey(0x07);
    EXPECT_EQ(b.zeroRun(2, 100), 1);
}

TEST(MapBuffer, OpensAFileWholeByMapping) {
    TempDir dir;
    std::string bytes(1000, 'x');
    bytes[999] = 'y';
    const std::string path = dir.write("m.img", bytes);
    FakeUi ui;
    MapBuffer b;
    ASSERT_TRUE(b.open(path, ui));
    EXPECT_EQ(b.size(), 1000);
    EXPECT_EQ(b.dat(999), 'y');
    EXPECT_EQ(b.dat(1000), 0);
    MapBuffer moved = std::move(b);
    EXPECT_EQ(moved.dat(999), 'y');
    EXPECT_TRUE(b.empty());
}

TEST(MapBuffer, MissingOrEmptyFileGivesAnEmptyBuffer) {
    TempDir dir;
    FakeUi ui;
    MapBuffer b;
    EXPECT_FALSE(b.open(dir.file("none.img"), ui));
    EXPECT_TRUE(b.empty());
    EXPECT_TRUE(b.open(dir.write("empty.img", ""), ui));
    EXPECT_TRUE(b.empty());
}

TEST(MapBuffer, DumpWritesTheUnmaskedBytes) {
    TempDir dir;
    const std::string plain("\x00\x01\x02GARMIN", 9);
    std::string masked = plain;
    for (char& c : masked) c = static_cast<char>(c ^ 0x4B);
    MapBuffer b = MapBuffer::fromBytes(masked);
    b.setKey(0x4B);
    FakeUi ui;
    ASSERT_TRUE(b.dumpUnmasked(dir.file("temp.img"), ui));
    EXPECT_EQ(readFile(dir.file("temp.img")).value_or(""), plain);
    EXPECT_FALSE(b.dumpUnmasked(dir.file("no/such/folder/temp.img"), ui));
}

} // namespace
} // namespace kestrel::test
