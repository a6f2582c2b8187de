#include <gtest/gtest.h>

#include "mapread/match.h"
#include "mapread/style_texts.h"
#include "support/inventory_entries.h"

namespace kestrel::test {
namespace {

using V = std::vector<std::string>;

struct MatchCase {
    int slot;
    const char* table; // the slot's name text
    const char* entry; // as listed before `match`
    const char* want;  // as listed after
};

// Each entry is matched on its own, as the first entry of its list.
const MatchCase kMatchCases[] = {
    // Slots 0 and 1 look a four-digit code up without its subtype.
    {1, "0x06 residential street\r\n0x0a unpaved road\r\n", "0x0600 ",
     "0x0600  residential street"},
    {1, "0x06 residential street\r\n", "0x06", "0x06 residential street"},
    {1, "0x0a unpaved road\r\n", "0x0A00 ", "0x0A00  unpaved road"},
    // The label runs from the line's first blank to its end, the last line without CR LF.
    {0, "0x13 building\r\n0x0100 whole", "0x0100", "0x0100 whole"},
    // A line without a blank is cut at its first tab; tabs become blanks.
    {1, "0x07\tboat\tramp\r\n", "0x07", "0x07 boat ramp"},
    {1, "0x08\r\n", "0x08", "0x08"},
    // Lines and POIs of nine characters or more keep their text.
    {2, "0x11401 fuel\r\n", "0x11401 ", "0x11401  fuel"},
    {2, "0x11401 fuel\r\n", "0x11401  old", "0x11401  old"},
    // Extended POI groups fall back to their standard twins; slot 0 never does.
    {2, "0x2a13 African\r\n", "0x10B13 ", "0x10B13  African"},
    {2, "0x2e0e Convenience\r\n", "0x10F0E ", "0x10F0E  Convenience"},
    {2, "0x0100 swapped\r\n", "0x11401 ", "0x11401  swapped"},
    {0, "0x2a13 African\r\n", "0x10B13 ", "0x10B13 "},
    // A polygon label goes before the draw-order marker, and only once.
    {0, "0x13 urban\r\n", "0x1300 (d2)", "0x1300  urban (d2)"},
    {0, "0x13 urban\r\n", "0x1300 urban", "0x1300 urban"},
    // Codes are compared lower-cased.
    {3, "0x10601 second\r\n", "0x10601 ", "0x10601  second"},
    {4, "0x10e02 ext line\r\n", "0x10E02 ", "0x10E02  ext line"},
};

TEST(Matching, LabelsEachEntryFromTheTableOfItsSlot) {
    for (const MatchCase& c : kMatchCases) {
        StyleTexts texts{};
        texts[static_cast<std::size_t>(c.slot)] = c.table;
        TypeInventory inv;
        inv.list(c.slot % 3) = listed(V{c.entry});
        ErrorLog errors;
        LabelTables tables(texts);
        match(inv, tables, c.slot, errors);
        EXPECT_EQ(entryText(inv.list(c.slot % 3).front()), c.want) << c.slot << " " << c.entry;
        EXPECT_EQ(errors.text(), "");
    }
}

TEST(LabelIndex, FindsTheFirstOccurrenceAsASubstringSearchDoes) {
    // Codes inside names, a line without a blank, overlapping "0x0x", a table ending without
    // CR LF; codes short, long, and not starting with "0x".
    const std::string table = "0x0x13\tcat\r\nsee 0x13 here\r\n0x1300 a\r\n0x13 b\r\n0X2A13 C d"
                              "\r\n0x10d01 e\r\nx0100 f\r\n0x1";
    const LabelIndex index(table);
    const std::string lowered = lcase(table);
    for (const char* code : {"0x", "0x1", "0x0x", "0x13", "0x130", "0x1300", "0x2a13", "0x10d01",
                             "0x10d012", "0x10d0", "0100", "13 ", "x0x", "0x99", "b\r\n0x"}) {
        const std::size_t at = lowered.find(code);
        std::optional<std::string> want;
        if (at != std::string::npos) {
            const std::string line = table.substr(at, table.find("\r\n", at) - at);
            const std::size_t cut =
                line.find(' ') != std::string::npos ? line.find(' ') : line.find('\t');
            want = cut == std::string::npos ? "" : line.substr(cut);
        }
        EXPECT_EQ(index.label(code), want) << code;
    }
    EXPECT_EQ(index.label(""), std::nullopt);
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
    LabelTables tables(t);
    match(inv, tables, 2, log);
    EXPECT_EQ(entryText(inv.list(kPois)[0]), "0x2A13  African");
}

} // namespace
} // namespace kestrel::test
