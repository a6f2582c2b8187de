#include "typtext/draworder.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

std::string sectionFor(std::vector<std::string> polygons) {
    TypeInventory inv;
    inv.list(kPolygons) = std::move(polygons);
    TypTextDocument doc;
    draworder(doc, inv);
    return doc.text();
}

TEST(Draworder, UnmarkedStandardEntriesGiveAnEmptySection) {
    EXPECT_EQ(sectionFor({"0x1300", "0x4B00", "0x5000 Wood"}), "[_drawOrder]\r\n[End]\r\n\r\n");
}

TEST(Draworder, SubtypeDigitsGiveTheLevelWithOrWithoutMarker) {
    EXPECT_EQ(sectionFor({"0x1305 Urban"}), "[_drawOrder]\r\nType=0x1300,5\r\n[End]\r\n\r\n");
    EXPECT_EQ(sectionFor({"0x1305 Urban (d2)"}), "[_drawOrder]\r\nType=0x1300,5\r\n[End]\r\n\r\n");
    EXPECT_EQ(sectionFor({"0x1310 Urban"}), "[_drawOrder]\r\nType=0x1300,0\r\n[End]\r\n\r\n");
}

TEST(Draworder, MarkerGivesTheLevel) {
    EXPECT_EQ(sectionFor({"0x1300 Urban (d2)", "0x10D01  map container (d0)"}),
              "[_drawOrder]\r\nType=0x1300,2\r\nType=0x10D01,0\r\n[End]\r\n\r\n");
}

TEST(Draworder, EntryWithoutBlankGivesNoLine) {
    EXPECT_EQ(sectionFor({"0x1305", "0x1300(d2)"}), "[_drawOrder]\r\n[End]\r\n\r\n");
}

TEST(Draworder, TabsCountAsBlanks) {
    EXPECT_EQ(sectionFor({"0x1300\tUrban (d3)"}), "[_drawOrder]\r\nType=0x1300,3\r\n[End]\r\n\r\n");
}

TEST(Draworder, ThreeStarsEndTheSection) {
    EXPECT_EQ(sectionFor({"0x1300 (d1)", "*** more", "0x5000 (d2)"}),
              "[_drawOrder]\r\nType=0x1300,1\r\n[End]\r\n\r\n");
}

TEST(Draworder, OnlyTheFirstWholeMarkerCounts) {
    EXPECT_EQ(sectionFor({"0x1300 Land (dry) (d2) (d3)"}),
              "[_drawOrder]\r\nType=0x1300,2\r\n[End]\r\n\r\n");
    EXPECT_EQ(sectionFor({"0x1300 Land (dry)"}), "[_drawOrder]\r\n[End]\r\n\r\n");
}

TEST(Draworder, OneLinePerTypeTheFirstWins) {
    EXPECT_EQ(sectionFor({"0x1305 Urban", "0x1300 Urban (d2)", "0x10F04  (d4)", "0x10F04  (d1)"}),
              "[_drawOrder]\r\nType=0x1300,5\r\nType=0x10F04,4\r\n[End]\r\n\r\n");
}

TEST(Draworder, EntriesThatAreNotCodesGiveNoLine) {
    EXPECT_EQ(sectionFor({"hello world (d2)", "0xZZ00 x (d1)"}), "[_drawOrder]\r\n[End]\r\n\r\n");
}

} // namespace
} // namespace kestrel
