#include "typtext/poi_writer.h"

#include <gtest/gtest.h>

#include "support/fake_ui.h"
#include "typtext/bitmap_library.h"
#include "typtext/typ_text_support.h"

namespace kestrel {
namespace {

using test::Chunk;

using Written = test::WrittenBlocks;

Written writePois(test::WriterInputs& s, unsigned seed = 1) {
    return test::writeWith(pois, s, seed, "[_point]");
}

test::WriterInputs poiSession(std::vector<std::string> list, int mode) {
    test::WriterInputs s = test::writerInputs({}, {}, std::move(list));
    s.style.kindmode[kPois] = mode;
    return s;
}

// Rows of the fill without quotes.
std::vector<std::string> pixelRows(const Chunk& block) {
    std::vector<std::string> out;
    const auto fill = test::fillOf(block);
    for (std::size_t i = 2; i < fill.size(); ++i)
        out.push_back(fill[i].substr(1, fill[i].size() - 2));
    return out;
}

int topBand(const Chunk& block) {
    const auto rows = pixelRows(block);
    int n = 0;
    while (n < static_cast<int>(rows.size()) &&
           rows[static_cast<std::size_t>(n)].find('0') == std::string::npos)
        ++n;
    return n;
}

TEST(Pois, CatalogueCodeGetsItsIconFile) {
    test::WriterInputs s = poiSession({"0x2c02"}, kModeTypeOnBmp);
    const Written w = writePois(s);
    const std::string icon = bmp(test::sourceDataFolder(), 8);
    ASSERT_FALSE(icon.empty());
    EXPECT_EQ(w.text, "[_point]\r\nType=0x2c02\r\nString1=0x0,0x2c02\r\nExtendedLabels=N\r\n" +
                          icon + "[end]\r\n\r\n");
}

TEST(Pois, CityTypesGetDarkFrameAndCityWidth) {
    test::WriterInputs s = poiSession({"0x0d00", "0x2f04 Shop"}, kModeCatalogue);
    s.widths.city = 14;
    s.widths.poi = 20;
    const Written w = writePois(s);
    ASSERT_EQ(w.blocks.size(), 2u);
    EXPECT_EQ(test::valueOf(w.blocks[0], "Xpm"), "\"14 14 2 1\"");
    EXPECT_EQ(test::fillOf(w.blocks[0])[1], "\"1 c #5B0000\"");
    EXPECT_EQ(test::valueOf(w.blocks[1], "Xpm"), "\"20 20 2 1\"");
    EXPECT_EQ(test::fillOf(w.blocks[1])[1], "\"1 c #B0B0B0\"");
    EXPECT_EQ(test::valueOf(w.blocks[1], "String1"), "0x0,Shop");
    for (const auto& b : w.blocks) {
        EXPECT_EQ(test::fillProblem(b), "");
        EXPECT_EQ(test::valueOf(b, "CustomColor"), "<none>");
        EXPECT_EQ(test::valueOf(b, "ExtendedLabels"), "N");
    }
}

TEST(Pois, FrameBandsGrowToElevenRowsThenStartAgain) {
    std::vector<std::string> list;
    for (int t = 0x11500; t < 0x11500 + 13; ++t) list.push_back("0x" + hex(t));
    test::WriterInputs s = poiSession(list, kModeCatalogue);
    s.widths.poi = 32;
    const Written w = writePois(s);
    ASSERT_EQ(w.blocks.size(), 13u);
    for (std::size_t i = 0; i < 13; ++i) {
        const int band = static_cast<int>(i % 11) + 1;
        EXPECT_EQ(topBand(w.blocks[i]), band) << i;
        const auto rows = pixelRows(w.blocks[i]);
        ASSERT_EQ(rows.size(), 32u);
        EXPECT_EQ(rows[static_cast<std::size_t>(31 - band + 1)],
                  std::string(32, '1')); // bottom band as thick as the top
        EXPECT_EQ(rows[static_cast<std::size_t>(band)],
                  "1" + std::string(30, '0') + "1"); // sides one pixel wide
        EXPECT_EQ(test::fillProblem(w.blocks[i]), "");
    }
}

TEST(Pois, SmallIconsStartAgainSooner) {
    test::WriterInputs s = poiSession({"0x11500", "0x11501", "0x11502", "0x11503"}, kModeCatalogue);
    const Written w = writePois(s); // width 16: the hollow stays at least 10 rows for m up to 2
    ASSERT_EQ(w.blocks.size(), 4u);
    EXPECT_EQ(topBand(w.blocks[0]), 1);
    EXPECT_EQ(topBand(w.blocks[1]), 2);
    EXPECT_EQ(topBand(w.blocks[2]), 3);
    EXPECT_EQ(topBand(w.blocks[3]), 1);
}

TEST(Pois, WidthAboveThirtyTwoIsWrittenBackAsThirtyTwo) {
    test::WriterInputs s = poiSession({"0x11500"}, kModeCatalogue);
    s.widths.poi = 40;
    const Written w = writePois(s);
    EXPECT_EQ(s.widths.poi, 32);
    EXPECT_EQ(test::valueOf(w.blocks[0], "Xpm"), "\"32 32 2 1\"");
    EXPECT_EQ(pixelRows(w.blocks[0]).size(), 32u);
}

TEST(Pois, TypeOnBmpKeepsIconsAndNumbersTheRest) {
    test::WriterInputs s = poiSession({"0x2c02", "0x11401 ", "0x0d00"}, kModeTypeOnBmp);
    s.widths.city = 12;
    const Written w = writePois(s);
    ASSERT_EQ(w.blocks.size(), 3u);
    EXPECT_EQ(s.widths.city, 32);
    EXPECT_EQ(test::valueOf(w.blocks[0], "ExtendedLabels"), "N");
    for (std::size_t i = 1; i < 3; ++i) {
        EXPECT_EQ(test::valueOf(w.blocks[i], "ExtendedLabels"), "<none>");
        EXPECT_EQ(test::valueOf(w.blocks[i], "Xpm"), "\"32 32 2 1\"");
        EXPECT_EQ(test::fillOf(w.blocks[i])[1], "\"1 c #000000\"");
        EXPECT_EQ(test::fillProblem(w.blocks[i]), "");
    }
    EXPECT_EQ(test::fillOf(w.blocks[1])[0], "\"0 c #FFFF00\"");
    EXPECT_EQ(test::fillOf(w.blocks[2])[0], "\"0 c #FFFFFF\"");
    const auto rows = split(get_bmp2("11401"), "\r\n");
    EXPECT_EQ(test::fillOf(w.blocks[1])[2], rows[0]);
}

TEST(Pois, TypeOnBmpBlackSlotsKeepReadableBackgrounds) {
    test::WriterInputs s = poiSession({"0x11401", "0x0d00"}, kModeTypeOnBmp);
    s.style.colourSlots = {kWhite, kYellow, 0, 0};
    const Written w = writePois(s);
    EXPECT_EQ(test::fillOf(w.blocks[0])[0], "\"0 c #FFFF00\"");
    EXPECT_EQ(test::fillOf(w.blocks[1])[0], "\"0 c #CCCCCC\"");
    s.style.colourSlots = {kWhite, kYellow, 0x00FF00, 0x0000FF};
    const Written v = writePois(s);
    EXPECT_EQ(test::fillOf(v.blocks[0])[0], "\"0 c #FF0000\"");
    EXPECT_EQ(test::fillOf(v.blocks[1])[0], "\"0 c #00FF00\"");
}

TEST(Pois, ColorPickerFramesAreColouredByTheCode) {
    test::WriterInputs s = poiSession({"0x11401 ", "0x2f04"}, kModeColorPicker);
    const Written w = writePois(s);
    EXPECT_EQ(test::fillOf(w.blocks[0])[0], "\"0 c #011401\"");
    EXPECT_EQ(test::fillOf(w.blocks[0])[1], "\"1 c #c0c0c0\"");
    EXPECT_EQ(test::fillOf(w.blocks[1])[0], "\"0 c #002F04\"");
}

TEST(Pois, BareRestaurantShopAndLeisureCodesGetIcons) {
    test::WriterInputs s = poiSession({"0x2a", "0x2b", "0x2e"}, kModeCatalogue);
    const Written w = writePois(s);
    const std::string root = test::sourceDataFolder();
    ASSERT_EQ(w.blocks.size(), 3u);
    EXPECT_NE(w.text.find(bmp(root, 5)), std::string::npos);
    EXPECT_NE(w.text.find(bmp(root, 10)), std::string::npos);
    EXPECT_NE(w.text.find(bmp(root, 4)), std::string::npos);
}

TEST(Pois, MissingIconFileFallsBackToAFrame) {
    test::WriterInputs s = poiSession({"0x2c02"}, kModeCatalogue);
    s.syspath = "/nonexistent-data";
    const Written w = writePois(s);
    EXPECT_EQ(test::valueOf(w.blocks[0], "Xpm"), "\"16 16 2 1\"");
    EXPECT_EQ(test::fillProblem(w.blocks[0]), "");
}

TEST(Pois, OneBlockPerTypeTheFirstWins) {
    test::WriterInputs s =
        poiSession({"0x10B13  African", "0x13500  Filipino", "0x10B13  African", "0x2a", "0x2a00"},
                   kModeCatalogue);
    const Written w = writePois(s);
    ASSERT_EQ(w.blocks.size(), 3u);
    EXPECT_EQ(test::valueOf(w.blocks[0], "Type"), "0x10b13");
    EXPECT_EQ(test::valueOf(w.blocks[0], "String1"), "0x0,African");
    EXPECT_EQ(test::valueOf(w.blocks[2], "Type"), "0x2a");
}

} // namespace
} // namespace kestrel
