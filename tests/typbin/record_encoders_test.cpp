// The record builders' limits, progress and stop; the bytes of their records are golden files
// (tests/data/golden/gen_*).
#include "typbin/record_encoders.h"

#include <gtest/gtest.h>

#include "support/fake_ui.h"

namespace kestrel {
namespace {

using test::FakeUi;

TEST(RecordBuilders, CodesEndAtSixteenBitsAndIdsAt65535) {
    FakeUi ui;
    const auto pois = buildNumberedSections(GeneratorKind::Pois, 1, 4000000000u, false, 4, ui);
    ASSERT_TRUE(pois);
    EXPECT_EQ(pois->count, 0xFFFFu - 32 + 1);
    EXPECT_EQ(pois->data.size(), std::size_t{pois->count} * 75);
    const auto extra = buildExtraPoiSections(65534, 5, ui);
    ASSERT_TRUE(extra);
    ASSERT_EQ(extra->index.size(), 2u);
    EXPECT_EQ(extra->index[1].id, 65535);
    EXPECT_EQ(extra->icons.size(), 2u * 270);
    EXPECT_TRUE(buildExtraPoiSections(65536, 5, ui)->index.empty());
}

TEST(RecordBuilders, ProgressEveryHundredElementsOrEvery200000Bytes) {
    FakeUi pois;
    ASSERT_TRUE(buildNumberedSections(GeneratorKind::Pois, 1, 250, false, 4, pois));
    EXPECT_EQ(pois.progressValues, (std::vector<float>{40.0f, 80.0f}));
    EXPECT_GE(pois.yields, 250);
    FakeUi extra;
    ASSERT_TRUE(buildExtraPoiSections(1, 1500, extra));
    // Chunks pass 200,000 bytes after 741 records: before IDs 742 and 1483.
    EXPECT_EQ(extra.progressValues, (std::vector<float>{37.0f, 74.0f}));
}

TEST(RecordBuilders, StopFlagEndsTheRunWithoutResult) {
    FakeUi a, b, c;
    for (FakeUi* ui : {&a, &b, &c}) ui->stopAfterYields(5);
    EXPECT_FALSE(buildNumberedSections(GeneratorKind::Lines, 1, 100, false, 4, a));
    EXPECT_FALSE(buildActiveRouteSections(1, 100, 4, b));
    EXPECT_FALSE(buildExtraPoiSections(1, 100, c));
}

} // namespace
} // namespace kestrel
