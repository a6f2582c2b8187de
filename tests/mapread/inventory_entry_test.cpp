// The inventory's records: the text each form shows, the `levellist` line it leaves, and the
// draw-order step's rules on them.
#include <gtest/gtest.h>

#include "mapread/add_draworder.h"
#include "support/inventory_entries.h"

namespace kestrel::test {
namespace {

using V = std::vector<std::string>;

InventoryEntry make(TypeCode code, Origin origin, std::optional<std::uint32_t> level = {},
                    std::string label = "", std::vector<std::int64_t> markers = {}) {
    InventoryEntry e(code, origin);
    if (level) e.levelNote = LevelNote{code, *level};
    e.label = std::move(label);
    e.drawLevels = std::move(markers);
    return e;
}

TypeCode flagged(std::uint32_t value, std::uint8_t flag) {
    TypeCode c(value, CodeDigits::Extended, CodeTail::Blank);
    c.flagged = flag;
    return c;
}

constexpr auto kStd = CodeDigits::Standard;
constexpr auto kExt = CodeDigits::Extended;

struct FormCase {
    InventoryEntry entry;
    std::string text, description, levelLine;
};

const FormCase kForms[] = {
    {make(TypeCode(0x1300), Origin::PolygonOverview, 2), "0x1300", "", "0x1300 #2"},
    {make(TypeCode(0x0600, kStd, CodeTail::Blank), Origin::LineOverview), "0x0600 ", "", ""},
    {make(TypeCode(0x0A, CodeDigits::Bare), Origin::HighwaysDefault), "0x0A", "", ""},
    {make(flagged(0x10E25, 5), Origin::ExtendedOverview, 1), "0x10E25  X:5", "X:5",
     "0x10E25  X:5 #1"},
    {make(TypeCode(0x10601, kExt, CodeTail::Blank), Origin::ExtendedOverview, 0), "0x10601 ", "",
     "0x10601  #0"},
    {make(TypeCode(0x10601, kExt, CodeTail::Star), Origin::RgnExtendedWalk, 1), "0x10601 *", "*",
     "0x10601 * #1"},
    {make(TypeCode(0x10F01, kExt), Origin::Bombout, 2), "0x10F01", "", "0x10F01 b #2"},
    {make(TypeCode(0x1300), Origin::PolygonOverview, {}, " Land (dry)", {2, 3}),
     "0x1300 Land (dry) (d2) (d3)", "Land (dry) (d2) (d3)", ""},
    {make(TypeCode(0x11401, kExt, CodeTail::Blank), Origin::RgnPointWalk, {}, "\tfuel\tstation"),
     "0x11401 \tfuel\tstation", "fuel station", ""},
};

TEST(InventoryEntry, EveryFormShowsItsText) {
    for (const FormCase& c : kForms) {
        EXPECT_EQ(entryText(c.entry), c.text);
        EXPECT_EQ(entryDescription(c.entry), c.description) << c.text;
        EXPECT_EQ(levelLines({c.entry}), c.levelLine.empty() ? V{} : V{c.levelLine}) << c.text;
        EXPECT_EQ(entryText(listed(c.text)), c.text); // the fixtures' notation reads it back
    }
}

struct DraworderCase {
    const char* what;
    std::vector<InventoryEntry> polygons;
    std::string polylevels;
    int maxlevel;
    V texts, levellist;
};

const DraworderCase kDraworder[] = {
    {"levels minus the entry's level",
     {make(TypeCode(0x1300), Origin::PolygonOverview, 1),
      make(TypeCode(0x0100), Origin::PolygonOverview, 2, " urban"),
      make(TypeCode(0x10601, kExt, CodeTail::Blank), Origin::ExtendedOverview, 0)},
     "210",
     2,
     {"0x1300 (d2)", "0x0100 urban (d1)", "0x10601  (d3)"},
     {"0x1300 #1", "0x0100 #2", "0x10601  #0"}},
    // The map container is found in the entry's text: its code or a label that names it.
    {"map container",
     {make(TypeCode(0x10D01, kExt, CodeTail::Star), Origin::RgnExtendedWalk, 1),
      make(TypeCode(0x1300), Origin::PolygonOverview, 0, " near 10D01")},
     "10",
     1,
     {"0x10D01  map container (d0)", "0x10D01  map container (d0)"},
     {"0x10D01 * #1", "0x1300 #0"}},
    // RGN-walk polygons carry level 1 and bomb-out ones level 2, whatever the map's levels;
    // entries added for the TYP text have none (0).
    {"level above maxlevel",
     {make(TypeCode(0x10E01, kExt, CodeTail::Star), Origin::RgnExtendedWalk, 1),
      make(TypeCode(0x10F01, kExt), Origin::Bombout, 2),
      make(TypeCode(0x4B00), Origin::Background)},
     "0",
     0,
     {"0x10E01 *", "0x10F01", "0x4B00 (d1)"},
     {"0x10E01 * #1", "0x10F01 b #2"}},
    // Only 8 distinct level characters are counted for levels up to 11.
    {"never below 0",
     {make(TypeCode(0x1000), Origin::PolygonOverview, 0),
      make(TypeCode(0x1800), Origin::PolygonOverview, 8),
      make(TypeCode(0x2100), Origin::PolygonOverview, 11)},
     "01234567",
     11,
     {"0x1000 (d8)", "0x1800 (d0)", "0x2100 (d0)"},
     {"0x1000 #0", "0x1800 #8", "0x2100 #B"}},
};

TEST(InventoryEntry, DraworderMarksEntries) {
    for (const DraworderCase& c : kDraworder) {
        TypeInventory inv;
        inv.list(kPolygons) = c.polygons;
        inv.polylevels = c.polylevels;
        inv.maxlevel = c.maxlevel;
        add_draworder(inv);
        EXPECT_EQ(entryTexts(inv.list(kPolygons)), c.texts) << c.what;
        EXPECT_EQ(levelLines(inv.list(kPolygons)), c.levellist) << c.what;
    }
}

TEST(InventoryEntry, DraworderTwiceAddsASecondMarker) {
    TypeInventory inv;
    inv.list(kPolygons) = {make(TypeCode(0x1300), Origin::PolygonOverview, 0)};
    inv.polylevels = "0";
    add_draworder(inv);
    add_draworder(inv);
    EXPECT_EQ(entryText(inv.list(kPolygons)[0]), "0x1300 (d1) (d1)");
}

} // namespace
} // namespace kestrel::test
