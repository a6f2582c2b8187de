#include <gtest/gtest.h>

#include "mapread/match.h"
#include "mapread/style_texts.h"
#include "support/inventory_entries.h"

namespace kestrel::test {
namespace {

using V = std::vector<std::string>;

struct Matching : ::testing::Test {
    TypeInventory inv;
    StyleTexts texts{};
    ErrorLog errors;

    V run(int slot, V entries) {
        inv.list(slot % 3) = listed(entries);
        match(inv, texts, slot, errors);
        return entryTexts(inv.list(slot % 3));
    }
};

TEST_F(Matching, LineOverviewCodeIsLookedUpWithoutItsSubtype) {
    texts[1] = "0x06 residential street\r\n0x0a unpaved road\r\n";
    EXPECT_EQ(run(1, {"0x0600 ", "0x06", "0x0A00 "}),
              (V{"0x0600  residential street", "0x06 residential street", "0x0A00  unpaved road"}));
}

TEST_F(Matching, LabelIsTakenFromTheMatchToTheLineEnd) {
    texts[0] = "0x13 building\r\n0x0100 whole";
    EXPECT_EQ(run(0, {"0x1300", "0x0100"}), (V{"0x1300 building", "0x0100 whole"}));
}

TEST_F(Matching, LineWithoutBlankUsesItsFirstTabAndTabsBecomeBlanks) {
    texts[1] = "0x07\tboat\tramp\r\n0x08\r\n";
    EXPECT_EQ(run(1, {"0x07", "0x08"}), (V{"0x07 boat ramp", "0x08"}));
}

TEST_F(Matching, EntriesOfNineCharactersOrMoreKeepTheirText) {
    texts[2] = "0x11401 fuel\r\n";
    EXPECT_EQ(run(2, {"0x11401 ", "0x11401  old"}), (V{"0x11401  fuel", "0x11401  old"}));
}

TEST_F(Matching, ExtendedPoiGroupsFallBackToTheirStandardTwins) {
    texts[2] = "0x2a13 African\r\n0x2e0e Convenience\r\n0x0100 swapped\r\n";
    EXPECT_EQ(run(2, {"0x10B13 ", "0x10F0E ", "0x11401 "}),
              (V{"0x10B13  African", "0x10F0E  Convenience", "0x11401  swapped"}));
    // Slot 0 never falls back.
    texts[0] = "0x2a13 African\r\n";
    EXPECT_EQ(run(0, {"0x10B13 "}), (V{"0x10B13 "}));
}

TEST_F(Matching, PolygonLabelGoesBeforeTheDrawOrderMarkerAndOnlyOnce) {
    texts[0] = "0x13 urban\r\n";
    EXPECT_EQ(run(0, {"0x1300 (d2)"}), (V{"0x1300  urban (d2)"}));
    EXPECT_EQ(run(0, {"0x1300 urban"}), (V{"0x1300 urban"}));
    texts[3] = "0x10601 second\r\n";
    EXPECT_EQ(run(3, {"0x10601 "}), (V{"0x10601  second"}));
}

TEST_F(Matching, CodesAreComparedLowerCased) {
    texts[4] = "0x10e02 ext line\r\n";
    EXPECT_EQ(run(4, {"0x10E02 "}), (V{"0x10E02  ext line"}));
    EXPECT_TRUE(errors.text().empty());
}

TEST(StyleTexts, XortxtDescramblesBytesAboveNine) {
    EXPECT_EQ(xortxt(""), "");
    EXPECT_EQ(xortxt("0x1abc"), "0x1abc");
    std::string scrambled;
    for (char c : std::string("0x2a00 food")) scrambled += static_cast<char>(c ^ 0x5A);
    scrambled += '\t';
    scrambled += static_cast<char>('-' ^ 0x5A);
    scrambled += static_cast<char>('*' ^ 0x5A);
    EXPECT_EQ(xortxt(scrambled), "0x2a00 food\t\r\n");
    EXPECT_EQ(xortxt(std::string("\x01\x09", 2)), std::string("\x01\x09", 2));
}

TEST(StyleTexts, PoiTableGoesInFrontOfSlotTwo) {
    StyleTexts t{};
    t[2] = "0x2a13 file name\r\n";
    a_n_p(t);
    std::size_t lines = 0;
    for (std::size_t p = 0; (p = t[2].find("\r\n", p)) != std::string::npos; p += 2) ++lines;
    EXPECT_EQ(lines, 156u);
    EXPECT_TRUE(t[2].starts_with("0x2a00 Generic Restaurant\r\n0x2a12 Deli/Sandwich Bar\r\n"));
    EXPECT_NE(t[2].find("\r\n0x1370e  \r\n0x1370f  \r\n"), std::string::npos);
    EXPECT_NE(t[2].find("0x14400 Shop on edge of Shopping Centre\r\n0x2a13 file name"),
              std::string::npos);
    TypeInventory inv;
    inv.list(kPois) = listed(V{"0x2A13 "});
    ErrorLog log;
    match(inv, t, 2, log);
    EXPECT_EQ(entryText(inv.list(kPois)[0]), "0x2A13  African");
}

} // namespace
} // namespace kestrel::test
