#include "typbin/record_encoders.h"

#include <gtest/gtest.h>

#include "support/fake_ui.h"
#include "support/typ_test_reader.h"
#include "typbin/element_codes.h"

namespace kestrel {
namespace {

using test::FakeUi;
using test::IndexEntry;
using test::readIndex;
using test::TypBytes;

struct Decoded {
    TypBytes data;
    std::vector<IndexEntry> index;
};

Decoded decode(const NumberedSections& s, std::size_t entrySize) {
    const TypBytes index(s.index.bytes());
    return {TypBytes(s.data.bytes()), readIndex(index, 0, index.size(), entrySize)};
}

std::vector<std::uint32_t> codes(const Decoded& d) {
    std::vector<std::uint32_t> out;
    for (const IndexEntry& e : d.index) out.push_back(e.code);
    return out;
}

NumberedSections build(GeneratorKind kind, std::uint32_t start, std::uint32_t count, bool step,
                       std::uint8_t width = 4) {
    FakeUi ui;
    auto s = buildNumberedSections(kind, start, count, step, width, ui);
    EXPECT_TRUE(s.has_value());
    return s ? std::move(*s) : NumberedSections{};
}

TEST(PoiRecords, CodesRunThroughSubtypesIntoTheNextType) {
    const Decoded d = decode(build(GeneratorKind::Pois, 0x2F, 40, false), 5);
    ASSERT_EQ(d.index.size(), 40u);
    for (std::uint32_t i = 0; i < 32; ++i) EXPECT_EQ(d.index[i].code, 0x5E0 + i);
    for (std::uint32_t i = 32; i < 40; ++i) EXPECT_EQ(d.index[i].code, 0x600 + i - 32);
    // The 33rd element, code 0x600 (type 0x30, subtype 0), is drawn in 003000.
    EXPECT_EQ(test::colourAt(d.data, 32 * 75 + 5), "003000");
    EXPECT_EQ(test::colourAt(d.data, 6 * 75 + 5), "002F06");
}

TEST(PoiRecords, StepFlagIsNotUsed) {
    const Decoded d = decode(build(GeneratorKind::Pois, 0x2F, 3, true), 5);
    EXPECT_EQ(codes(d), (std::vector<std::uint32_t>{0x5E0, 0x5E1, 0x5E2}));
}

TEST(PoiRecords, RecordBytesAndOffsets) {
    const Decoded d = decode(build(GeneratorKind::Pois, 0x2F, 2, false), 5);
    ASSERT_EQ(d.data.size(), 150u);
    EXPECT_EQ(d.data.hexdump(75, 11), "01 10 10 02 00 01 2F 00 FF FF FF");
    EXPECT_TRUE(d.data.allZero(75 + 11, 150));
    EXPECT_EQ(d.index[0].offset, 0u);
    EXPECT_EQ(d.index[1].offset, 75u);
}

TEST(PoiRecords, ProgressEveryHundredElements) {
    FakeUi ui;
    ASSERT_TRUE(buildNumberedSections(GeneratorKind::Pois, 1, 250, false, 4, ui));
    EXPECT_EQ(ui.progressValues, (std::vector<float>{40.0f, 80.0f}));
    EXPECT_GE(ui.yields, 250);
}

TEST(PoiRecords, CodesThatWouldNotFitSixteenBitsAreNotGenerated) {
    const NumberedSections s = build(GeneratorKind::Pois, 1, 4000000000u, false);
    EXPECT_EQ(s.count, 0xFFFFu - 32 + 1);
    EXPECT_EQ(s.data.size(), std::size_t{s.count} * 75);
}

TEST(LineRecords, StepFlagGivesOneTypePerElementThenTheExtendedRange) {
    const Decoded d = decode(build(GeneratorKind::Lines, 0xFE, 4, true), 5);
    EXPECT_EQ(codes(d), (std::vector<std::uint32_t>{0x1FC0, 0x1FE0, 0x2000, 0x2001}));
}

TEST(LineRecords, StepFlagIsIgnoredFromStart100) {
    const Decoded d = decode(build(GeneratorKind::Lines, 0x100, 3, true), 5);
    EXPECT_EQ(codes(d), (std::vector<std::uint32_t>{0x2000, 0x2001, 0x2002}));
}

TEST(LineRecords, WithoutStepFlagCodesAreConsecutive) {
    const Decoded d = decode(build(GeneratorKind::Lines, 0xFE, 3, false), 5);
    EXPECT_EQ(codes(d), (std::vector<std::uint32_t>{0x1FC0, 0x1FC1, 0x1FC2}));
}

TEST(LineRecords, StepFromAStartBelowFFRunsTypes) {
    const Decoded d = decode(build(GeneratorKind::Lines, 1, 3, true), 5);
    EXPECT_EQ(codes(d), (std::vector<std::uint32_t>{0x20, 0x40, 0x60}));
}

TEST(LineRecords, RecordIsColourTypeFlagsBgrWidth) {
    const Decoded d = decode(build(GeneratorKind::Lines, 0x2F, 7, false, 4), 5);
    ASSERT_EQ(d.data.size(), 42u);
    EXPECT_EQ(d.data.hexdump(36, 6), "06 00 06 2F 00 04");
    EXPECT_EQ(d.index[6].offset, 36u);
}

TEST(LineRecords, WidthIsWrittenAsGiven) {
    const Decoded d = decode(build(GeneratorKind::Lines, 1, 1, false, 10), 5);
    EXPECT_EQ(d.data.hexdump(0, 6), "06 00 00 01 00 0A");
}

TEST(ColourBytes, AreStoredBlueGreenRed) {
    ByteImage im(6);
    im.put1u(0, 6);
    putColourBgr(im, 2, 0xFF8000);
    im.put1u(5, 4);
    EXPECT_EQ(TypBytes(im.bytes()).hexdump(0, 6), "06 00 00 80 FF 04");
}

TEST(PolygonRecords, StepFlagAsForLinesAndFourByteRecords) {
    const Decoded d = decode(build(GeneratorKind::Polygons, 0xFE, 4, true), 5);
    EXPECT_EQ(codes(d), (std::vector<std::uint32_t>{0x1FC0, 0x1FE0, 0x2000, 0x2001}));
    ASSERT_EQ(d.data.size(), 16u);
    EXPECT_EQ(d.data.hexdump(0, 4), "06 00 FE 00");
    EXPECT_EQ(d.data.hexdump(8, 4), "06 00 00 01"); // 0x2000: type 0x100, subtype 0
    EXPECT_EQ(d.data.hexdump(12, 4), "06 01 00 01");
    EXPECT_EQ(d.index[3].offset, 12u);
}

TEST(ActiveRouteRecords, AtMost186InSixGroups) {
    FakeUi ui;
    const auto s = buildActiveRouteSections(0x10, 200, 3, ui);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->count, 186u);
    const Decoded d = decode(*s, 7);
    ASSERT_EQ(d.index.size(), 186u);
    ASSERT_EQ(d.data.size(), 186u * 7);
    // Entries 32 and 63, counted from 1, open the groups (5, 0) and (4, 1), at type s again.
    EXPECT_EQ(d.index[31].groupA, 5u);
    EXPECT_EQ(d.index[31].groupB, 0u);
    EXPECT_EQ(d.index[31].code, 0x10u * 32);
    EXPECT_EQ(d.index[62].groupA, 4u);
    EXPECT_EQ(d.index[62].groupB, 1u);
    EXPECT_EQ(d.index[62].code, 0x10u * 32);
    EXPECT_EQ(d.index[30].code, (0x10u + 30) * 32);
    EXPECT_EQ(d.index[185].groupA, 5u);
    EXPECT_EQ(d.index[185].groupB, 2u);
    EXPECT_EQ(d.index[185].offset, 185u * 7);
    EXPECT_EQ(d.data.hexdump(7, 7), "06 00 00 11 00 03 03");
}

TEST(ActiveRouteRecords, FewerThanAGroup) {
    FakeUi ui;
    const auto s = buildActiveRouteSections(1, 2, 4, ui);
    ASSERT_TRUE(s);
    const Decoded d = decode(*s, 7);
    ASSERT_EQ(d.index.size(), 2u);
    EXPECT_EQ(d.index[1].code, 0x40u);
    EXPECT_EQ(d.index[1].groupA, 4u);
    EXPECT_EQ(d.index[1].groupB, 0u);
    EXPECT_EQ(TypBytes(s->index.bytes()).hexdump(7, 7), "40 00 04 00 07 00 00");
}

TEST(ExtraPoiRecords, IndexAndColoursOfThreeIcons) {
    FakeUi ui;
    const auto s = buildExtraPoiSections(1, 3, ui);
    ASSERT_TRUE(s);
    ASSERT_EQ(s->icons.size(), 3u * 270);
    ASSERT_EQ(s->index.size(), 3u);
    EXPECT_EQ(s->index[1].id, 2);
    EXPECT_EQ(s->index[1].offset, 0x10Eu);
    EXPECT_EQ(s->index[2].offset, 0x21Cu);
    const TypBytes icons(s->icons);
    EXPECT_EQ(test::colourAt(icons, 8), "000001");
    EXPECT_EQ(test::colourAt(icons, 270 + 8), "000002");
    EXPECT_EQ(test::colourAt(icons, 540 + 8), "000003");
    EXPECT_EQ(icons.hexdump(270, 14), "01 2E 04 01 20 20 02 00 02 00 00 FF FF FF");
    EXPECT_TRUE(icons.allZero(270 + 14, 540));
}

TEST(ExtraPoiRecords, ColourSpellsTheId) {
    FakeUi ui;
    const auto s = buildExtraPoiSections(4660, 1, ui);
    ASSERT_TRUE(s);
    EXPECT_EQ(test::colourAt(TypBytes(s->icons), 8), "001234");
}

TEST(ExtraPoiRecords, StopBeforeId65536) {
    FakeUi ui;
    const auto s = buildExtraPoiSections(65534, 5, ui);
    ASSERT_TRUE(s);
    ASSERT_EQ(s->index.size(), 2u);
    EXPECT_EQ(s->index[1].id, 65535);
    EXPECT_EQ(s->icons.size(), 2u * 270);
    EXPECT_TRUE(buildExtraPoiSections(65536, 5, ui)->index.empty());
}

TEST(ExtraPoiRecords, ProgressEachTimeAChunkPasses200000Bytes) {
    FakeUi ui;
    ASSERT_TRUE(buildExtraPoiSections(1, 1500, ui));
    // Chunks pass 200,000 bytes after 741 records: before IDs 742 and 1483.
    EXPECT_EQ(ui.progressValues, (std::vector<float>{37.0f, 74.0f}));
}

TEST(ExtraPoiRecords, LargestRunKeepsEveryRecord) {
    FakeUi ui;
    const auto s = buildExtraPoiSections(1, 32767, ui);
    ASSERT_TRUE(s);
    ASSERT_EQ(s->icons.size(), 32767u * 270); // beyond the old 7,290,000-byte ceiling
    EXPECT_EQ(test::colourAt(TypBytes(s->icons), 32766u * 270 + 8), "007FFF");
    EXPECT_EQ(s->index.back().offset, 32766u * 270);
}

TEST(RecordBuilders, StopFlagEndsTheRunWithoutResult) {
    FakeUi a;
    a.stopAfterYields(5);
    EXPECT_FALSE(buildNumberedSections(GeneratorKind::Lines, 1, 100, false, 4, a));
    FakeUi b;
    b.stopAfterYields(5);
    EXPECT_FALSE(buildActiveRouteSections(1, 100, 4, b));
    FakeUi c;
    c.stopAfterYields(5);
    EXPECT_FALSE(buildExtraPoiSections(1, 100, c));
}

} // namespace
} // namespace kestrel
