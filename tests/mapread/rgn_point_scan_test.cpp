#include <gtest/gtest.h>

#include "mapread/read_helpers.h"
#include "support/img_builder.h"

namespace kestrel::test {
namespace {

using V = std::vector<std::string>;
using Bytes = std::vector<std::uint8_t>;

Bytes point(std::uint8_t type, std::uint8_t flags, std::size_t length,
            const std::vector<std::pair<std::size_t, std::uint8_t>>& at = {}) {
    Bytes b(length, 0x11);
    b[0] = type;
    b[1] = flags;
    for (const auto& [pos, v] : at) b[pos] = v;
    return b;
}

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const Bytes kMarker = point(0x2F, 0x03, 6); // listed only when the record before was sized right

V poisAfter(const Bytes& first, bool nt = false) {
    SyntheticMap m;
    m.rgnPoints(first + kMarker);
    return Reading().read(m.bytes(), 0, nt ? "/maps/nt.gmp" : "map.img").pois();
}

TEST(RgnPointScan, FlagsGiveSixOrNineBytes) {
    EXPECT_EQ(poisAfter(point(0x14, 0x01, 6)), (V{"0x11401 ", "0x12F03 "}));
    EXPECT_EQ(poisAfter(point(0x14, 0x21, 9)), (V{"0x11401 ", "0x12F03 "}));
}

TEST(RgnPointScan, ExtraBytesWithASmallFirstByteAddSix) {
    EXPECT_EQ(poisAfter(point(0x14, 0x81, 12, {{6, 0x10}})), (V{"0x11401 ", "0x12F03 "}));
    EXPECT_EQ(poisAfter(point(0x14, 0xA1, 15, {{9, 0x10}})), (V{"0x11401 ", "0x12F03 "}));
}

TEST(RgnPointScan, NtRecordWithLongExtraBytesUsesTheTable) {
    EXPECT_EQ(poisAfter(point(0x14, 0x81, 41, {{6, 0xE5}, {7, 0x41}}), true),
              (V{"0x11401 ", "0x12F03 "}));
}

TEST(RgnPointScan, GmpHeaderMakesTheMapNtAndIsTheSectionBase) {
    SyntheticMap m;
    constexpr std::int64_t gmp = 0x40;
    m.img.header(gmp, "GMP", 0x31);
    m.rgnPoints(point(0x14, 0x81, 41, {{6, 0xE5}, {7, 0x41}}) + kMarker, gmp);
    Reading r;
    r.options.highways = true;
    EXPECT_EQ(r.read(m.bytes()).pois(), (V{"0x11401 ", "0x12F03 "}));
    EXPECT_TRUE(r.ui.messages.empty());
}

TEST(RgnPointScan, LongExtraBytesOnAnOrdinaryMapAreNotCounted) {
    EXPECT_EQ(poisAfter(point(0x14, 0x81, 6, {{2, 0}, {3, 0}, {4, 0}, {5, 0}}) + Bytes{0xE5, 0x41}),
              (V{"0x11401 ", "0x1E501 "}));
}

TEST(RgnPointScan, NtLengthNotInTheTableRecordsTheCodeAndEnds) {
    Reading r;
    SyntheticMap m;
    m.rgnPoints(point(0x14, 0x81, 12, {{6, 0xE5}, {7, 0x42}}) + kMarker);
    r.read(m.bytes(), 0, "/maps/nt.gmp");
    EXPECT_EQ(r.pois(), (V{"0x11401 "}));
    EXPECT_TRUE(r.map.inventory.seenpoi.has(TypeCode(0x11401, CodeDigits::Extended)));
    EXPECT_FALSE(r.map.inventory.extpois.has(TypeCode(0x11401, CodeDigits::Extended)));
}

TEST(RgnPointScan, NtEndMarkerSetsTheLength) {
    EXPECT_EQ(poisAfter(point(0x14, 0x41, 10, {{9, 0x87}}), true), (V{"0x11401 ", "0x12F03 "}));
    // A record whose own type is 0x87 ends one byte earlier.
    EXPECT_EQ(poisAfter(point(0x87, 0x41, 9, {{8, 0x22}}) + point(0x87, 0x02, 6), true),
              (V{"0x18701 ", "0x18702 ", "0x12F03 "}));
}

TEST(RgnPointScan, EndMarkerCountsOnlyOnNtMaps) {
    EXPECT_EQ(poisAfter(point(0x14, 0x41, 6)), (V{"0x11401 ", "0x12F03 "}));
}

TEST(RgnPointScan, OverviewCodeIsListedAgainButEachCodeOnceWithinTheScan) {
    SyntheticMap m;
    m.extended({{0x14, 0, 1}}, 0, 0, 1);
    m.rgnPoints(point(0x14, 0x01, 6) + point(0x14, 0x01, 6) + point(0x15, 0x02, 6));
    EXPECT_EQ(Reading().read(m.bytes()).pois(), (V{"0x11401 ", "0x11401 ", "0x11502 "}));
}

TEST(RgnPointScan, StopsAddingOnceTheListPasses4000) {
    Reading r;
    r.map.inventory.list(kPois).resize(3999, {TypeCode(), Origin::RgnPointWalk});
    SyntheticMap m;
    Bytes section;
    for (std::uint8_t t = 0x20; t < 0x28; ++t) section = section + point(t, 0x01, 6);
    m.rgnPoints(section);
    r.read(m.bytes());
    EXPECT_EQ(r.pois().size(), 4001u);
    EXPECT_EQ(r.pois().back(), "0x12101 ");
}

TEST(RgnPointScan, ListAbove4000SkipsTheScan) {
    Reading r;
    r.map.inventory.list(kPois).resize(4001, {TypeCode(), Origin::RgnPointWalk});
    SyntheticMap m;
    m.rgnPoints(point(0x14, 0x01, 6));
    EXPECT_EQ(r.read(m.bytes()).pois().size(), 4001u);
}

TEST(RgnPointScan, ShortHeaderSkipsTheScan) {
    SyntheticMap m;
    m.rgnPoints(point(0x14, 0x01, 6));
    m.img.put2(SyntheticMap::kRgn, 124);
    EXPECT_TRUE(Reading().read(m.bytes()).pois().empty());
}

TEST(RgnPointScan, RecordRunningPastTheSectionIsNotComplete) {
    SyntheticMap m;
    m.rgnPoints(point(0x14, 0x01, 6) + Bytes{0x15, 0x01, 0x11});
    EXPECT_EQ(Reading().read(m.bytes()).pois(), (V{"0x11401 "}));
}

TEST(RgnPointScan, AnEarlierEscapeDoesNotStopThisScan) {
    SyntheticMap m;
    m.extended({{0x01, 0, 0}, {0x02, 0, 0}}, 2, 0, 0);
    m.rgnPoints(point(0x14, 0x01, 6) + point(0x15, 0x01, 6));
    Reading r;
    r.ui.stopAfterYields(1); // stops the extended overview after its first record
    r.read(m.bytes());
    EXPECT_EQ(r.pois(), (V{"0x11401 ", "0x11501 "}));
}

TEST(RgnPointScan, EscapeDuringTheScanEndsIt) {
    SyntheticMap m;
    m.rgnPoints(point(0x14, 0x01, 6) + point(0x15, 0x01, 6));
    Reading r;
    r.ui.stopAfterYields(1); // the signature search, then the first record
    r.read(m.bytes());
    EXPECT_EQ(r.pois(), (V{"0x11401 "}));
}

TEST(RgnPointScan, HugeSectionBeyondTheFileEndsPromptly) {
    SyntheticMap m;
    m.rgnPoints(point(0x14, 0x01, 6));
    m.img.put4(SyntheticMap::kRgn + rgn::kPointSize, 0x7FFFFFFF);
    Reading r;
    r.read(m.bytes());
    EXPECT_EQ(r.pois(), (V{"0x11401 ", "0x10000 "}));
    EXPECT_LT(r.ui.yields, 1000);
}

TEST(RgnPointScan, NegativeSectionStartReadsZeroRecords) {
    SyntheticMap m;
    m.rgnPoints(point(0x14, 0x01, 6));
    m.img.put4(SyntheticMap::kRgn + rgn::kPointOffset, static_cast<std::uint32_t>(-0x40000000));
    m.img.put4(SyntheticMap::kRgn + rgn::kPointSize, 0x40000000 + 0x10);
    Reading r;
    r.read(m.bytes());
    ASSERT_FALSE(r.pois().empty());
    EXPECT_EQ(r.pois()[0], "0x10000 ");
    EXPECT_LT(r.ui.yields, 1000);
}

} // namespace
} // namespace kestrel::test
