#include <gtest/gtest.h>

#include "mapread/read_helpers.h"
#include "support/img_builder.h"

namespace kestrel::test {
namespace {

using V = std::vector<std::string>;

TEST(TreReader, MapIdLabelHasABlankBeforeANonNegativeNumber) {
    SyntheticMap m;
    EXPECT_EQ(Reading().read(m.bytes()).map.fields.mapIdLabel, "ID: 63240101");
    m.img.put4(SyntheticMap::kTre + tre::kMapId, static_cast<std::uint32_t>(-5));
    EXPECT_EQ(Reading().read(m.bytes()).map.fields.mapIdLabel, "ID:-5");
}

TEST(TreReader, LineOverviewListsEachTypeOnceWithATrailingBlank) {
    SyntheticMap m;
    m.lines({0x06, 0x01, 0x06, 0x13});
    Reading r;
    r.read(m.bytes());
    EXPECT_EQ(r.lines(), (V{"0x0600 ", "0x0100 ", "0x1300 "}));
}

TEST(TreReader, OverviewsOfSizeZeroAddNothing) {
    SyntheticMap m;
    m.lineTable(0x600, 0, 3).polygonTable(0x700, 0, 2);
    Reading r;
    r.read(m.bytes());
    EXPECT_TRUE(r.lines().empty());
    EXPECT_TRUE(r.polygons().empty());
}

TEST(TreReader, RecordSizeZeroAddsNothingAndEnds) {
    SyntheticMap m;
    m.lines({0x06}).lineTable(SyntheticMap::kLines - SyntheticMap::kTre, 3, 0);
    m.polygons({{0x13, 1}}).polygonTable(SyntheticMap::kPolygons - SyntheticMap::kTre, 2, 0);
    m.extended({{0x0D, 1, 1}}, 1, 0, 0);
    m.img.put2(SyntheticMap::kTre + tre::kExtendedRecord, 0);
    Reading r;
    r.read(m.bytes());
    EXPECT_TRUE(r.lines().empty());
    EXPECT_TRUE(r.polygons().empty());
}

TEST(TreReader, PolygonOverviewRecordsLevelsAndLevellist) {
    SyntheticMap m;
    m.polygons({{0x13, 2}, {0x01, 0}, {0x13, 1}, {0x4B, 1}});
    Reading r;
    r.read(m.bytes());
    EXPECT_EQ(r.polygons(), (V{"0x1300", "0x0100", "0x4B00"}));
    EXPECT_EQ(r.levellist(), (V{"0x1300 #2", "0x0100 #0", "0x4B00 #1"}));
    EXPECT_EQ(r.map.inventory.polylevels, "201");
    EXPECT_EQ(r.map.inventory.maxlevel, 2);
}

TEST(TreReader, PolygonOverviewStopsAddingAt300Entries) {
    // The first map brings 250 extended polygons; the second's overview may add only 50 more,
    // while its extended overview still adds beyond 300.
    SyntheticMap first;
    std::vector<std::vector<std::uint8_t>> ext;
    for (int i = 0; i < 250; ++i)
        ext.push_back({static_cast<std::uint8_t>(i % 200), 0, static_cast<std::uint8_t>(i / 200)});
    first.extended(ext, 0, 250, 0);
    SyntheticMap second;
    std::vector<std::pair<std::uint8_t, std::uint8_t>> standard;
    for (int t = 0; t < 100; ++t) standard.push_back({static_cast<std::uint8_t>(t), 0});
    second.polygons(standard).extended({{0x0D, 0, 5}}, 0, 1, 0);
    Reading r;
    r.read(first.bytes()).read(second.bytes(), 1);
    ASSERT_EQ(r.polygons().size(), 301u);
    EXPECT_EQ(r.polygons()[299], "0x3100");
    EXPECT_EQ(r.polygons()[300], "0x10D05 ");
}

TEST(TreReader, HighwaysDefaultsFollowTheOverviewAndKeepBothForms) {
    SyntheticMap m;
    m.lines({0x01, 0x06});
    Reading r;
    r.options.highways = true;
    r.read(m.bytes());
    EXPECT_EQ(r.lines(),
              (V{"0x0100 ", "0x0600 ", "0x01", "0x02", "0x03", "0x04", "0x05", "0x06", "0x07",
                 "0x08", "0x09", "0x0A", "0x0B", "0x0C", "0x0D", "0x0E", "0x0F", "0x14", "0x1F"}));
}

TEST(TreReader, ExtendedOverviewSplitsRecordsByTheThreeCounts) {
    SyntheticMap m;
    m.extended({{0x01, 0, 0},
                {0x02, 0, 0},
                {0x03, 1, 0},
                {0x04, 2, 0},
                {0x05, 0, 0},
                {0x06, 0, 0},
                {0x07, 0, 0}},
               2, 3, 1);
    Reading r;
    r.read(m.bytes());
    EXPECT_EQ(r.lines(), (V{"0x10100 ", "0x10200 "}));
    EXPECT_EQ(r.polygons(), (V{"0x10300 ", "0x10400 ", "0x10500 "}));
    EXPECT_EQ(r.pois(), (V{"0x10600 "}));
    EXPECT_EQ(r.levellist(), (V{"0x10300  #1", "0x10400  #2", "0x10500  #0"}));
    EXPECT_EQ(r.map.inventory.polylevels, "120");
    EXPECT_EQ(r.map.inventory.maxlevel, 2);
}

TEST(TreReader, SubtypeAbove31CarriesAMarker) {
    SyntheticMap m;
    m.extended({{0x0D, 1, 0x21}, {0x0E, 1, 0x25}}, 1, 1, 0);
    Reading r;
    r.read(m.bytes());
    EXPECT_EQ(r.lines(), (V{"0x10D21  X:1"}));
    EXPECT_EQ(r.polygons(), (V{"0x10E25  X:5"}));
    EXPECT_EQ(r.levellist(), (V{"0x10E25  X:5 #1"}));
}

TEST(TreReader, ExtendedOverviewNeedsALongHeaderAndSmallRecords) {
    SyntheticMap m;
    m.extended({{0x0D, 1, 1}}, 1, 0, 0);
    SyntheticMap shortHeader = m;
    shortHeader.img.put2(SyntheticMap::kTre, 137);
    EXPECT_TRUE(Reading().read(shortHeader.bytes()).lines().empty());
    SyntheticMap bigRecords = m;
    bigRecords.img.put2(SyntheticMap::kTre + tre::kExtendedRecord, 13);
    EXPECT_TRUE(Reading().read(bigRecords.bytes()).lines().empty());
    EXPECT_EQ(Reading().read(m.bytes()).lines(), (V{"0x10D01 "}));
}

TEST(TreReader, NtMapCountsTheExtendedOverviewFromTheGmpHeader) {
    SyntheticMap m;
    constexpr std::int64_t gmp = 0x40;
    m.img.header(gmp, "GMP", 0x31);
    m.extended({{0x0D, 1, 1}}, 0, 1, 0, gmp);
    Reading r;
    r.options.highways = true;
    r.read(m.bytes());
    EXPECT_EQ(r.polygons(), (V{"0x10D01 "}));
    EXPECT_TRUE(r.map.fields.ntMarker);
}

TEST(TreReader, EscapeDuringLineOverviewStillAddsHighwaysThenEnds) {
    SyntheticMap m;
    m.lines({0x06, 0x07, 0x08}).polygons({{0x13, 0}});
    Reading r;
    r.options.highways = true;
    r.ui.stopAfterYields(1); // after the signature search, the first record's yield stops
    r.read(m.bytes());
    ASSERT_GE(r.lines().size(), 2u);
    EXPECT_EQ(r.lines()[0], "0x0600 ");
    EXPECT_EQ(r.lines()[1], "0x01");
    EXPECT_TRUE(r.polygons().empty());
}

TEST(TreReader, EscapeDuringExtendedOverviewEndsOnlyThatScan) {
    SyntheticMap m;
    m.extended({{0x01, 0, 0}, {0x02, 0, 0}}, 2, 0, 0);
    m.rgnPoints({0x14, 0x01, 0, 0, 0, 0});
    Reading r;
    r.ui.stopAfterYields(1);
    r.read(m.bytes());
    EXPECT_EQ(r.lines(), (V{"0x10100 "}));
    EXPECT_EQ(r.pois(), (V{"0x11401 "}));
}

TEST(TreReader, ReadingTheSameMapTwiceAddsNothing) {
    SyntheticMap m;
    m.lines({0x06}).polygons({{0x13, 1}}).extended({{0x0D, 1, 1}, {0x14, 0, 1}}, 0, 1, 1);
    Reading r;
    r.read(m.bytes());
    const auto before = r.map.inventory.list(kPois).size() + r.polygons().size();
    r.read(m.bytes(), 1);
    EXPECT_EQ(r.map.inventory.list(kPois).size() + r.polygons().size(), before);
    EXPECT_EQ(r.lines(), (V{"0x0600 "}));
}

TEST(TreReader, HugeOverviewSizesEndPromptlyAndReadZerosBeyondTheFile) {
    SyntheticMap m;
    m.lineTable(0xFF0 - SyntheticMap::kTre, 0x7FFFFFFF, 1);
    m.polygonTable(0x7FFFFF00, 0x7FFFFFFF, 1);
    m.extended({{0x0D, 1, 1}}, 3, 3, 3);
    m.img.put4(SyntheticMap::kTre + tre::kExtendedSize, 0x7FFFFFF0);
    Reading r;
    r.read(m.bytes());
    EXPECT_EQ(r.lines(), (V{"0x0000 ", "0x10D01 ", "0x10000 "}));
    EXPECT_EQ(r.polygons(), (V{"0x0000", "0x10000 "}));
    EXPECT_EQ(r.pois(), (V{"0x10000 "}));
    EXPECT_LT(r.ui.yields, 100000);
}

TEST(TreReader, NegativeOverviewOffsetsReadZeros) {
    SyntheticMap m;
    m.lineTable(-0x40000000, 0x40000000, 1);
    Reading r;
    r.read(m.bytes());
    ASSERT_FALSE(r.lines().empty());
    EXPECT_EQ(r.lines()[0], "0x0000 ");
    EXPECT_LT(r.ui.yields, 100000);
}

TEST(TreReader, SectionSizeNear4GiBReadsAsNegativeAndAddsNothing) {
    SyntheticMap m;
    m.lines({0x06}).lineTable(SyntheticMap::kLines - SyntheticMap::kTre, 0xFFFFFFF0, 3);
    Reading r;
    r.read(m.bytes());
    EXPECT_TRUE(r.lines().empty());
}

} // namespace
} // namespace kestrel::test
