#include "typtext/colour_code.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

// The random colours of a seed are pinned by the element writers' golden file, rev() by the
// colour text tests.
TEST(ColourCode, FmatPadsOneCharacterOnly) {
    std::string a = "A", ab = "AB", empty;
    EXPECT_EQ(f_mat(a), "0A");
    EXPECT_EQ(f_mat(ab), "AB");
    EXPECT_EQ(f_mat(empty), "");
}

TEST(ColourCode, FncolWritesTwoDigitsPerComponent) {
    EXPECT_EQ(fncol(0, 10, 255), "000AFF");
    EXPECT_EQ(fncol(255, 255, 255), "FFFFFF");
}

TEST(ColourCode, AddlzAddsUnlessSeenAndDoesNotRemember) {
    TypeInventory inv;
    addlz(inv, "10802", kPolygons);
    addlz(inv, "10802", kPolygons);
    EXPECT_EQ(inv.list(kPolygons), (std::vector<std::string>{"0x10802", "0x10802"}));
    inv.seenpoly.add("10B08");
    addlz(inv, "10b08", kPolygons);
    EXPECT_EQ(inv.list(kPolygons).size(), 2u);
    inv.seenline.add("10E02");
    addlz(inv, "10E02", kLines);
    addlz(inv, "10E03", kLines);
    EXPECT_EQ(inv.list(kLines), (std::vector<std::string>{"0x10E03"}));
    inv.seenpoi.add("11401");
    addlz(inv, "11401", kPois); // points have no seen set here: always added
    EXPECT_EQ(inv.list(kPois), (std::vector<std::string>{"0x11401"}));
}

TEST(ColourCode, RandomComponentsStayWithinByteRange) {
    std::mt19937 rng(1);
    int lo = 255, hi = 0;
    for (int i = 0; i < 5000; ++i) {
        const int c = randomComponent(rng);
        lo = std::min(lo, c);
        hi = std::max(hi, c);
    }
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 255);
}

} // namespace
} // namespace kestrel
