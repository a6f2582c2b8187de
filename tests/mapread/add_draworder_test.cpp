#include <gtest/gtest.h>

#include "mapread/add_draworder.h"

namespace kestrel::test {
namespace {

using V = std::vector<std::string>;

TypeInventory withPolygons(V entries, V levellist, std::string polylevels, int maxlevel) {
    TypeInventory inv;
    inv.list(kPolygons) = std::move(entries);
    inv.levellist = std::move(levellist);
    inv.polylevels = std::move(polylevels);
    inv.maxlevel = maxlevel;
    return inv;
}

TEST(AddDraworder, MarksEachEntryWithLevelsMinusItsLevel) {
    TypeInventory s = withPolygons({"0x1300", "0x0100 urban", "0x10601 "},
                                   {"0x1300 #1", "0x0100 #2", "0x10601  #0"}, "210", 2);
    add_draworder(s);
    EXPECT_EQ(s.list(kPolygons), (V{"0x1300 (d2)", "0x0100 urban (d1)", "0x10601  (d3)"}));
}

TEST(AddDraworder, MapContainerIsReplacedWhole) {
    TypeInventory s =
        withPolygons({"0x10D01 ", "0x10D01 *"}, {"0x10D01  #0", "0x10D01 * #1"}, "10", 1);
    add_draworder(s);
    EXPECT_EQ(s.list(kPolygons), (V{"0x10D01  map container (d0)", "0x10D01  map container (d0)"}));
}

TEST(AddDraworder, LevelAboveMaxlevelLeavesTheEntry) {
    // RGN-scan polygons carry level 1 and bomb-out ones level 2, whatever the map's levels.
    TypeInventory s =
        withPolygons({"0x10E01 *", "0x10F01"}, {"0x10E01 * #1", "0x10F01 b #2"}, "0", 0);
    add_draworder(s);
    EXPECT_EQ(s.list(kPolygons), (V{"0x10E01 *", "0x10F01"}));
}

TEST(AddDraworder, LevelsAreReadAsHexAndNeverGoBelowZero) {
    V entries, levels;
    std::string polylevels;
    for (int l = 0; l < 12; ++l) {
        const std::string code = "0x" + std::to_string(10 + l) + "00";
        entries.push_back(code);
        levels.push_back(code + " #" + std::string(1, "0123456789AB"[l]));
        polylevels += "0123456789AB"[l];
    }
    // Only 8 distinct level characters are counted, so high levels would go negative.
    polylevels.resize(8);
    TypeInventory s = withPolygons(entries, levels, polylevels, 11);
    add_draworder(s);
    EXPECT_EQ(s.list(kPolygons)[0], "0x1000 (d8)");
    EXPECT_EQ(s.list(kPolygons)[8], "0x1800 (d0)");
    EXPECT_EQ(s.list(kPolygons)[10], "0x2000 (d0)");
    EXPECT_EQ(s.list(kPolygons)[11], "0x2100 (d0)");
}

TEST(AddDraworder, RunningTwiceAddsASecondMarker) {
    TypeInventory s = withPolygons({"0x1300"}, {"0x1300 #0"}, "0", 0);
    add_draworder(s);
    add_draworder(s);
    EXPECT_EQ(s.list(kPolygons), (V{"0x1300 (d1) (d1)"}));
}

} // namespace
} // namespace kestrel::test
