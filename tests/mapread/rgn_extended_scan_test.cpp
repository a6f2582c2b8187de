#include <gtest/gtest.h>

#include <algorithm>

#include "mapread/read_helpers.h"
#include "mapread/rgn_extended_scan.h"
#include "support/img_builder.h"

namespace kestrel::test {
namespace {

using V = std::vector<std::string>;
using Bytes = std::vector<std::uint8_t>;

// A record of the given total length: type, flags, four coordinate bytes, L, M, filler.
Bytes record(std::uint8_t type, std::uint8_t flags, std::uint8_t l, std::uint8_t m,
             std::size_t length) {
    const Bytes head{type, flags, 0, 0, 0, 0, l, m};
    Bytes b(length, 0x55);
    std::copy_n(head.begin(), std::min(length, head.size()), b.begin());
    return b;
}

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The polygon section holds the record under test followed by a marker record of type 0x3F;
// the marker is listed only when the first record's length was taken right.
V polygonsAfter(const Bytes& first) {
    SyntheticMap m;
    m.rgnPolygons(first + record(0x3F, 0x02, 0x01, 0, 7));
    return Reading().read(m.bytes()).polygons();
}

TEST(RgnExtendedScan, PointDataLengthsFollowTheLengthByteRules) {
    using S = RgnExtendedScan;
    EXPECT_EQ(S::pointData(0x15, 0, 0).len, 11u);
    EXPECT_EQ(S::pointData(0x15, 0, 0).lf, 0u);
    EXPECT_EQ(S::pointData(0x26, 0x01, 0x0126).len, 74u);
    EXPECT_EQ(S::pointData(0x26, 0x01, 0x0126).lf, 1u);
    EXPECT_EQ(S::pointData(0xFF, 0x12, 0).len, 22u);
    EXPECT_EQ(S::pointData(0xFF, 0x12, 0).lf, 2u);
    EXPECT_EQ(S::pointData(0, 59, 0).len, 9u);
    EXPECT_EQ(S::pointData(0, 35, 0).len, 20u);
    EXPECT_EQ(S::pointData(0, 45, 0).len, 9u);
    EXPECT_EQ(S::pointData(0, 46, 0).len, 0u);
    EXPECT_EQ(S::pointData(0x10, 0, 0).len, 0u);
    EXPECT_EQ(S::pointData(0xFF, 0x11, 0).len, 15u);
    EXPECT_EQ(S::pointData(0xFF, 0x00, 0).len, 0u);
}

TEST(RgnExtendedScan, LabelledRecordWithOddLengthOccupies20Bytes) {
    EXPECT_EQ(polygonsAfter(record(0x0D, 0x21, 0x15, 0, 20)), (V{"0x10D01 *", "0x13F02 *"}));
}

TEST(RgnExtendedScan, EvenLengthTakesTheSixteenBitValueRoundedUp) {
    EXPECT_EQ(polygonsAfter(record(0x0D, 0x01, 0x26, 0x01, 81)), (V{"0x10D01 *", "0x13F02 *"}));
}

TEST(RgnExtendedScan, LengthByteFFUsesTheTableWithOrWithoutLabel) {
    EXPECT_EQ(polygonsAfter(record(0x0D, 0x01, 0xFF, 0x12, 30)), (V{"0x10D01 *", "0x13F02 *"}));
    EXPECT_EQ(polygonsAfter(record(0x0D, 0x21, 0xFF, 0x12, 33)), (V{"0x10D01 *", "0x13F02 *"}));
}

TEST(RgnExtendedScan, MultipleOfEightStopsTheScanThroughBombout) {
    SyntheticMap m;
    m.rgnPolygons(record(0x0D, 0x01, 0x10, 0, 12) + record(0x3F, 0x02, 0x01, 0, 7));
    Reading r;
    r.read(m.bytes());
    EXPECT_EQ(r.polygons(), (V{"0x10D01"}));
    EXPECT_EQ(r.levellist(), (V{"0x10D01 b #2"}));
}

TEST(RgnExtendedScan, UnknownLengthAfterZeroOrFFBombsOut) {
    SyntheticMap m;
    m.rgnLines(record(0x0E, 0x02, 0x00, 0x07, 12));
    EXPECT_EQ(Reading().read(m.bytes()).lines(), (V{"0x10E02"}));
    SyntheticMap n;
    n.rgnLines(record(0x0E, 0x02, 0xFF, 0x00, 12));
    EXPECT_EQ(Reading().read(n.bytes()).lines(), (V{"0x10E02"}));
}

TEST(RgnExtendedScan, NormalPathSkipsTypes40AndAboveButBomboutRecords40) {
    EXPECT_EQ(polygonsAfter(record(0x40, 0x01, 0x01, 0, 7)), (V{"0x13F02 *"}));
    SyntheticMap m;
    m.rgnPolygons(record(0x40, 0x01, 0x10, 0, 12));
    EXPECT_EQ(Reading().read(m.bytes()).polygons(), (V{"0x14001"}));
    SyntheticMap n;
    n.rgnPolygons(record(0x41, 0x01, 0x10, 0, 12));
    EXPECT_TRUE(Reading().read(n.bytes()).polygons().empty());
}

TEST(RgnExtendedScan, BomboutSkipsCodesAlreadyGuarded) {
    TypeInventory inv;
    inv.seenline.add(RgnExtendedScan::extendedCode(0x0E, 2));
    RgnExtendedScan::bombout(inv, kLines, RgnExtendedScan::extendedCode(0x0E, 2));
    EXPECT_TRUE(inv.list(kLines).empty());
    RgnExtendedScan::bombout(inv, kPois, RgnExtendedScan::extendedCode(0x14, 1));
    EXPECT_EQ(entryTexts(inv.list(kPois)), (V{"0x11401"}));
    EXPECT_TRUE(inv.seenpoi.has(RgnExtendedScan::extendedCode(0x14, 1)));
}

TEST(RgnExtendedScan, FirstRecordWithExtraBytesAddsNothing) {
    EXPECT_TRUE(polygonsAfter(record(0x0D, 0x81, 0x01, 0, 7)).empty());
}

TEST(RgnExtendedScan, CodesListedByTheOverviewAreNotAddedAgain) {
    SyntheticMap m;
    m.extended({{0x0E, 0, 2}}, 1, 0, 0);
    m.rgnLines(record(0x0E, 0x02, 0x01, 0, 7) + record(0x0F, 0x03, 0x01, 0, 7));
    EXPECT_EQ(Reading().read(m.bytes()).lines(), (V{"0x10E02 ", "0x10F03 *"}));
}

TEST(RgnExtendedScan, ShortHeaderOrZeroOffsetSkipsTheScan) {
    SyntheticMap m;
    m.rgnPolygons(record(0x0D, 0x01, 0x01, 0, 7));
    SyntheticMap shortHeader = m;
    shortHeader.img.put2(SyntheticMap::kRgn, 56);
    EXPECT_TRUE(Reading().read(shortHeader.bytes()).polygons().empty());
    SyntheticMap zeroOffset = m;
    zeroOffset.img.put4(SyntheticMap::kRgn + rgn::kPolygonOffset, 0);
    EXPECT_TRUE(Reading().read(zeroOffset.bytes()).polygons().empty());
    EXPECT_EQ(Reading().read(m.bytes()).levellist(), (V{"0x10D01 * #1"}));
}

TEST(RgnExtendedScan, NtMapCountsSectionOffsetsFromTheGmpHeader) {
    SyntheticMap m;
    constexpr std::int64_t gmp = 0x40;
    m.img.header(gmp, "GMP", 0x31);
    m.rgnLines(record(0x0E, 0x02, 0x01, 0, 7), gmp);
    EXPECT_EQ(Reading().read(m.bytes()).lines(), (V{"0x10E02 *"}));
}

TEST(RgnExtendedScan, GmpNameWithoutGmpHeaderCountsFromTheRgnHeader) {
    SyntheticMap m;
    m.rgnLines(record(0x0E, 0x02, 0x01, 0, 7));
    Reading r;
    r.read(m.bytes(), 0, "/maps/i0001.gmp");
    EXPECT_EQ(r.lines(), (V{"0x10E02 *"}));
    EXPECT_TRUE(r.map.fields.ntMarker);
    EXPECT_TRUE(r.map.container.fngmp());
}

TEST(RgnExtendedScan, SectionRunningOffTheFileEndsInBombout) {
    SyntheticMap m;
    m.rgnPolygons(record(0x0D, 0x01, 0x01, 0, 7));
    m.img.put4(SyntheticMap::kRgn + rgn::kPolygonSize, 0x7FFFFFFF);
    m.img.put4(SyntheticMap::kRgn + rgn::kPolygonOffset, 0x1000 - 7 - SyntheticMap::kRgn);
    m.img.putBytes(0x1000 - 7, record(0x0D, 0x01, 0x01, 0, 7));
    Reading r;
    r.read(m.bytes());
    EXPECT_EQ(r.polygons(), (V{"0x10D01 *", "0x10000"}));
}

TEST(RgnExtendedScan, EscapeEndsTheScanAfterTheCurrentRecord) {
    SyntheticMap m;
    m.rgnLines(record(0x0E, 0x02, 0x01, 0, 7) + record(0x0F, 0x03, 0x01, 0, 7));
    Reading r;
    r.ui.stopAfterYields(1); // the signature search, then the first record
    r.read(m.bytes());
    EXPECT_EQ(r.lines(), (V{"0x10E02 *"}));
}

} // namespace
} // namespace kestrel::test
