#include "typtext/colour_code.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

// The random colours of a seed, components below 0x10 padded to two digits among them, are
// pinned by the element writers' golden file; rev() by the colour text tests.
TEST(ColourCode, AddlzAddsUnlessSeenAndDoesNotRemember) {
    TypeInventory inv;
    const TypeCode c10802(0x10802, CodeDigits::Extended), c10E02(0x10E02, CodeDigits::Extended);
    addlz(inv, c10802, kPolygons);
    addlz(inv, c10802, kPolygons);
    inv.seenpoly.add(c10E02);
    addlz(inv, c10E02, kPolygons);
    EXPECT_EQ(entryTexts(inv.list(kPolygons)), (std::vector<std::string>{"0x10802", "0x10802"}));
    inv.seenline.add(c10E02);
    addlz(inv, c10E02, kLines);
    EXPECT_TRUE(inv.list(kLines).empty());
    inv.seenpoi.add(c10E02);
    addlz(inv, c10E02, kPois); // points have no seen set here: always added
    EXPECT_EQ(inv.list(kPois).size(), 1u);
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
