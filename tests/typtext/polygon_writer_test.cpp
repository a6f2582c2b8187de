#include "typtext/polygon_writer.h"

#include <gtest/gtest.h>

#include <set>

#include "support/fake_ui.h"
#include "typtext/bitmap_library.h"
#include "typtext/typ_text_support.h"

namespace kestrel {
namespace {

using test::Chunk;

using Written = test::WrittenBlocks;

Written writePolygons(test::WriterInputs& s, unsigned seed = 1) {
    return test::writeWith(polygons, s, seed, "[_polygon]");
}

Written writePolygons(std::vector<std::string> list, int mode, bool include4b4a = false) {
    test::WriterInputs s = test::writerInputs(std::move(list), {}, {});
    s.style.kindmode[kPolygons] = mode;
    s.style.include4b4a = include4b4a;
    return writePolygons(s);
}

std::vector<std::string> rowsOf(const Chunk& block) {
    std::vector<std::string> fill = test::fillOf(block);
    return {fill.begin() + 2, fill.end()};
}

std::vector<std::string> quotedRows(const std::string& rows) {
    std::vector<std::string> out = split(rows, "\r\n");
    out.pop_back();
    return out;
}

TEST(Polygons, ColorPickerGivesSolidBlockColouredByCode) {
    const Written w = writePolygons({"0x1300"}, kModeColorPicker);
    EXPECT_EQ(w.text, "[_polygon]\r\nType=0x1300\r\nString1=0x0,1300 0x1300\r\n"
                      "ExtendedLabels=N\r\nCustomColor=No\r\nXpm=\"0 0 1 0\"\r\n"
                      "\"1 c #001300\"\r\n[end]\r\n\r\n");
}

TEST(Polygons, ColorPickerWritesMapContainerCodeInItsOwnColour) {
    const Written w = writePolygons({"0x10D01", "0x10F08  Lake"}, kModeColorPicker);
    ASSERT_EQ(w.blocks.size(), 2u);
    EXPECT_EQ(test::fillOf(w.blocks[0]), (std::vector<std::string>{"\"1 c #E9e9d3\""}));
    EXPECT_EQ(test::valueOf(w.blocks[1], "String1"), "0x0,10f08 Lake");
    EXPECT_EQ(test::fillOf(w.blocks[1]), (std::vector<std::string>{"\"1 c #010f08\""}));
}

TEST(Polygons, LabelledEntryUsesDescriptionAfterTheCode) {
    const Written w = writePolygons({"0x10D01  map container (d0)", "0x10601 "}, kModeColorPicker);
    ASSERT_EQ(w.blocks.size(), 2u);
    EXPECT_EQ(test::valueOf(w.blocks[0], "Type"), "0x10D01");
    EXPECT_EQ(test::valueOf(w.blocks[0], "String1"), "0x0,10d01 map container (d0)");
    EXPECT_EQ(test::valueOf(w.blocks[1], "String1"), "0x0,10601 0x10601");
}

TEST(Polygons, TypeOnBmpBackgroundsComeFromTheSlots) {
    const Written w = writePolygons({"0x4B00", "0x1300", "0x10601 "}, kModeTypeOnBmp);
    ASSERT_EQ(w.blocks.size(), 3u);
    const std::vector<std::string> bg{"FFFFD5", "FFFFFF", "FFFF00"};
    for (std::size_t i = 0; i < 3; ++i) {
        const auto fill = test::fillOf(w.blocks[i]);
        EXPECT_EQ(w.blocks[i][5], "Xpm=\"32 32 2 1\"");
        EXPECT_EQ(fill[0], "\"0 c #" + bg[i] + "\"");
        EXPECT_EQ(fill[1], "\"1 c #000000\"");
    }
    EXPECT_EQ(rowsOf(w.blocks[1]), quotedRows(get_bmp2("1300")));
    EXPECT_EQ(rowsOf(w.blocks[2]), quotedRows(get_bmp2("10601")));
}

TEST(Polygons, TypeOnBmpUsesChosenSlotColoursAndKeepsDefaultsForBlack) {
    test::WriterInputs s = test::writerInputs({"0x1300", "0x10601 "}, {}, {});
    s.style.include4b4a = false;
    s.style.colourSlots = {0x123456, 0x0000FF, kWhite, kYellow};
    Written w = writePolygons(s);
    EXPECT_EQ(test::fillOf(w.blocks[0])[0], "\"0 c #563412\"");
    EXPECT_EQ(test::fillOf(w.blocks[1])[0], "\"0 c #FF0000\"");
    s.style.colourSlots = {0, 0, kWhite, kYellow};
    w = writePolygons(s);
    EXPECT_EQ(test::fillOf(w.blocks[0])[0], "\"0 c #FFFFFF\"");
    EXPECT_EQ(test::fillOf(w.blocks[1])[0], "\"0 c #FFFF00\"");
}

TEST(Polygons, DefaultStyleColoursAreUniqueWithinARun) {
    std::vector<std::string> list;
    for (int t = 0x10100; t < 0x10100 + 400; ++t) list.push_back("0x" + hex(t));
    const Written w = writePolygons(list, kModeCatalogue);
    ASSERT_EQ(w.blocks.size(), 400u);
    std::set<std::string> colours;
    for (const auto& b : w.blocks) colours.insert(test::fillOf(b)[0]);
    EXPECT_EQ(colours.size(), 400u);
}

TEST(Polygons, NineDefaultBlocksUseNineStripesThenRepeat) {
    std::vector<std::string> list;
    for (int t = 0x10100; t < 0x10100 + 10; ++t) list.push_back("0x" + hex(t));
    const Written w = writePolygons(list, kModeCatalogue);
    ASSERT_EQ(w.blocks.size(), 10u);
    std::set<std::vector<std::string>> seen;
    for (std::size_t i = 0; i < 9; ++i) {
        EXPECT_EQ(rowsOf(w.blocks[i]), quotedRows(bmpstripes(static_cast<int>((i + 1) % 9))));
        seen.insert(rowsOf(w.blocks[i]));
    }
    EXPECT_EQ(seen.size(), 9u);
    EXPECT_EQ(rowsOf(w.blocks[9]), rowsOf(w.blocks[0]));
}

TEST(Polygons, SolidBlocksCountAsStripesButBackgroundsDoNot) {
    const Written w =
        writePolygons({"0x10100", "0x2800", "0x4B00", "0x10101", "0x4A00"}, kModeCatalogue);
    ASSERT_EQ(w.blocks.size(), 5u);
    EXPECT_EQ(rowsOf(w.blocks[0]), quotedRows(bmpstripes(1)));
    EXPECT_EQ(rowsOf(w.blocks[3]), quotedRows(bmpstripes(3)));
}

TEST(Polygons, CatalogueLooksUpOverviewCodesByTheirBareType) {
    const Written w = writePolygons(
        {"0x4A00", "0x4B00", "0x0600 ", "0x0100", "0x2800 Sea", "0x10d01 box", "0x4E00"},
        kModeCatalogue);
    ASSERT_EQ(w.blocks.size(), 7u);
    EXPECT_EQ(w.blocks[0],
              (Chunk{"[_polygon]", "Type=0x4A00", "String1=0x0,4A00 0x4A00", "ExtendedLabels=N",
                     "CustomColor=No", "Xpm=\"0 0 1 0\"", "\"1 c #EEEE9F\"", "[end]"}));
    EXPECT_EQ(test::fillOf(w.blocks[1]), (std::vector<std::string>{"\"1 c #FFFFEE\""}));
    const PolygonPicture& p8 = polygonPicture(8);
    EXPECT_EQ(test::fillOf(w.blocks[2])[0], "\"" + p8.colour0 + "\"");
    EXPECT_EQ(test::fillOf(w.blocks[2])[1], "\"" + p8.colour1 + "\"");
    EXPECT_EQ(rowsOf(w.blocks[2]), quotedRows(p8.rows));
    EXPECT_EQ(test::fillOf(w.blocks[3])[0], "\"0 c #CCCCCC\"");
    EXPECT_EQ(test::fillOf(w.blocks[4]), (std::vector<std::string>{"\"1 c #B7F7FF\""}));
    EXPECT_EQ(test::fillOf(w.blocks[5])[0], "\"0 c #e9e9d3\"");
    EXPECT_EQ(test::valueOf(w.blocks[6], "Xpm"), "\"32 32 2 1\""); // 0x4e: no row
}

TEST(Polygons, EveryFillIsWellFormedInEveryMode) {
    std::vector<std::string> list{"0x1300",
                                  "0x4A00",
                                  "0x4B00",
                                  "0x0500 x",
                                  "0x5000",
                                  "0x4F00",
                                  "0x1800",
                                  "0x0B00",
                                  "0x1A00",
                                  "0x5100",
                                  "0x1900",
                                  "0x2800",
                                  "0x10D01  map container (d0)",
                                  "0x10F08 "};
    for (int mode : {kModeCatalogue, kModeColorPicker, kModeTypeOnBmp}) {
        const Written w = writePolygons(list, mode);
        ASSERT_EQ(w.blocks.size(), list.size());
        for (const auto& b : w.blocks) EXPECT_EQ(test::fillProblem(b), "") << b[1];
    }
}

TEST(Polygons, EmptyListWritesNothingWithoutTheBackgroundOption) {
    EXPECT_EQ(writePolygons({}, kModeCatalogue, false).text, "");
}

TEST(Polygons, BackgroundOptionAddsMissing4Band4A) {
    test::WriterInputs s = test::writerInputs({"0x4B00 (d1)", "0x1300"}, {}, {});
    s.style.kindmode[kPolygons] = kModeColorPicker;
    const Written w = writePolygons(s);
    EXPECT_EQ(entryTexts(s.map.inventory.list(kPolygons)),
              (std::vector<std::string>{"0x4B00 (d1)", "0x1300", "0x4A00"}));
    EXPECT_EQ(w.blocks.size(), 3u);
}

TEST(Polygons, NtMapGetsExtendedBackgroundCodesOnce) {
    test::WriterInputs s = test::writerInputs({"0x10802 "}, {}, {});
    s.map.fields.ntMarker = true;
    chkpolstoadd(s.map.inventory, s.map.fields.ntMarker);
    chkpolstoadd(s.map.inventory, s.map.fields.ntMarker);
    EXPECT_EQ(entryTexts(s.map.inventory.list(kPolygons)),
              (std::vector<std::string>{"0x10802 ", "0x10B08", "0x10A01", "0x1090C"}));
}

TEST(Polygons, SubtypeEntryStandsForItsZeroForm) {
    const Written w =
        writePolygons({"0x1300 City", "0x1305 Urban", "0x1310 Other"}, kModeColorPicker);
    ASSERT_EQ(w.blocks.size(), 2u);
    EXPECT_EQ(test::valueOf(w.blocks[0], "Type"), "0x1300");
    EXPECT_EQ(test::valueOf(w.blocks[0], "String1"), "0x0,1300 Urban");
    EXPECT_EQ(test::valueOf(w.blocks[1], "Type"), "0x1310");
}

TEST(Polygons, OneBlockPerTypeTheFirstEntryWins) {
    test::WriterInputs s =
        test::writerInputs({"0x10601 ", "0x4B00", "0x10601  Lake", "0x4b"}, {}, {});
    s.style.kindmode[kPolygons] = kModeColorPicker;
    s.style.include4b4a = false;
    const Written w = writePolygons(s);
    ASSERT_EQ(w.blocks.size(), 2u);
    EXPECT_EQ(test::valueOf(w.blocks[0], "String1"), "0x0,10601 0x10601");
    EXPECT_EQ(s.map.inventory.list(kPolygons).size(), 4u); // the lists keep both
}

TEST(Polygons, SameSeedSameText) {
    std::vector<std::string> list{"0x1300", "0x10100", "0x4E00 x"};
    EXPECT_EQ(writePolygons(list, kModeCatalogue).text, writePolygons(list, kModeCatalogue).text);
}

} // namespace
} // namespace kestrel
