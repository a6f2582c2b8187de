#include "typtext/line_writer.h"

#include <gtest/gtest.h>

#include "support/fake_ui.h"
#include "typtext/typ_text_support.h"

namespace kestrel {
namespace {

using test::Chunk;

std::vector<Chunk> writeLines(test::WriterInputs& s, unsigned seed = 1) {
    return test::writeWith(polylines, s, seed, "[_line]").blocks;
}

std::vector<Chunk> writeLines(std::vector<std::string> list, int mode = kModeCatalogue,
                              unsigned seed = 1) {
    test::WriterInputs s = test::writerInputs({}, std::move(list), {});
    s.style.kindmode[kLines] = mode;
    return writeLines(s, seed);
}

bool isColourLine(const std::string& line) {
    if (line.size() != 13 || line.substr(0, 6) != "\"0 c #" || line[12] != '"') return false;
    return line.substr(6, 6).find_first_not_of("0123456789ABCDEF") == std::string::npos;
}

TEST(Lines, EntryWithoutBlankGetsWidthFiveBorderTwo) {
    const auto b = writeLines({"0x10E02"});
    ASSERT_EQ(b.size(), 1u);
    ASSERT_EQ(b[0].size(), 12u);
    EXPECT_EQ(
        Chunk(b[0].begin(), b[0].begin() + 9),
        (Chunk{"[_line]", "Type=0x10E02", "LineWidth=5", "BorderWidth=2", "UseOrientation=N",
               "String1=0x0,PL:0x10E02", "ExtendedLabels=N", "CustomColor=No", "Xpm=\"0 0 2 1\""}));
    EXPECT_TRUE(isColourLine(b[0][9])) << b[0][9];
    EXPECT_EQ(b[0][11], "[end]");
}

TEST(Lines, LabelledEntryGetsWidthTwoNoBorderOneColour) {
    const auto b = writeLines({"0x10E02 Track"});
    ASSERT_EQ(b.size(), 1u);
    EXPECT_EQ(test::valueOf(b[0], "LineWidth"), "2");
    EXPECT_EQ(test::valueOf(b[0], "BorderWidth"), "0");
    EXPECT_EQ(test::valueOf(b[0], "String1"), "0x0,PL:Track");
    EXPECT_EQ(test::valueOf(b[0], "Xpm"), "\"0 0 1 1\"");
    ASSERT_EQ(test::fillOf(b[0]).size(), 1u);
    EXPECT_TRUE(isColourLine(test::fillOf(b[0])[0]));
}

TEST(Lines, OverviewCodeWithTrailingBlankRepeatsTheCodeAsLabel) {
    const auto b = writeLines({"0x10E02 "});
    EXPECT_EQ(test::valueOf(b[0], "String1"), "0x0,PL:0x10E02");
}

TEST(Lines, CatalogueAppliesToBareAndOverviewForms) {
    const auto b = writeLines({"0x01", "0x0200 ", "0x0700 x"});
    ASSERT_EQ(b.size(), 3u);
    EXPECT_EQ(test::valueOf(b[0], "LineWidth"), "6");
    EXPECT_EQ(test::valueOf(b[0], "BorderWidth"), "2");
    EXPECT_EQ(test::fillOf(b[0]), (std::vector<std::string>{"\"0 c #E9B912\"", "\"1 c #FF5300\""}));
    EXPECT_EQ(test::valueOf(b[1], "LineWidth"), "4");
    EXPECT_EQ(test::valueOf(b[1], "Xpm"), "\"0 0 2 1\"");
    EXPECT_EQ(test::fillOf(b[1])[0], "\"0 c #FF8040\"");
    EXPECT_EQ(test::fillOf(b[2])[0], "\"0 c #a0a0a0\"");
}

TEST(Lines, PatternRowsSuppressTheWidthLines) {
    const auto b = writeLines({"0x0a", "0x0F00 ", "0x1400 ", "0x1600 ", "0x1000 ", "0x0d", "0x0e"});
    ASSERT_EQ(b.size(), 7u);
    const std::vector<std::string> headers{"32 2 2 1", "32 3 2 1", "32 5 2 1", "32 2 2 1",
                                           "32 3 2 1", "32 3 2 1", "32 3 2 1"};
    for (std::size_t i = 0; i < b.size(); ++i) {
        EXPECT_EQ(test::valueOf(b[i], "LineWidth"), "<none>");
        EXPECT_EQ(test::valueOf(b[i], "BorderWidth"), "<none>");
        EXPECT_EQ(test::valueOf(b[i], "Xpm"), "\"" + headers[i] + "\"");
        EXPECT_EQ(test::fillProblem(b[i]), "") << b[i][1];
    }
    EXPECT_EQ(test::fillOf(b[0]),
              (std::vector<std::string>{"\"0 c #000000\"", "\"1 c none\"",
                                        "\"00011111000111110001111100011111\"",
                                        "\"00011111000111110001111100011111\""}));
    EXPECT_EQ(test::fillOf(b[2]),
              (std::vector<std::string>{
                  "\"0 c #000000\"", "\"1 c #FFFFFF\"", "\"00000000000000000000000000000000\"",
                  "\"00000000000000000000000000000000\"", "\"00000011111110000000001111111000\"",
                  "\"00000000000000000000000000000000\"", "\"00000000000000000000000000000000\""}));
}

TEST(Lines, BrownDashRowsAreThirtyTwoPixelsWide) {
    const auto b = writeLines({"0x0f"});
    const auto fill = test::fillOf(b[0]);
    ASSERT_EQ(fill.size(), 5u);
    EXPECT_EQ(fill[0], "\"0 c #804000\"");
    for (std::size_t r = 2; r < 5; ++r) EXPECT_EQ(fill[r].size(), 34u);
}

TEST(Lines, ColorPickerKeepsCatalogueTypesAndColoursTheRest) {
    const auto b = writeLines({"0x0a", "0x0A00 ", "0x30", "0x10E02 "}, kModeColorPicker);
    ASSERT_EQ(b.size(), 3u); // 0x0a and 0x0A00 are one type
    EXPECT_EQ(test::valueOf(b[0], "Xpm"), "\"32 2 2 1\"");
    EXPECT_EQ(test::valueOf(b[1], "LineWidth"), "8");
    EXPECT_EQ(test::valueOf(b[1], "BorderWidth"), "1");
    EXPECT_EQ(test::fillOf(b[1])[0], "\"0 c #000030\"");
    EXPECT_EQ(test::fillOf(b[2])[0], "\"0 c #010e02\"");
    // The border is of the red family: its text ends in FF.
    const std::string border = test::fillOf(b[2])[1];
    EXPECT_EQ(border.substr(border.size() - 3), "FF\"");
}

TEST(Lines, RandomColoursAreSixDigitsFromTheBrightFamilies) {
    std::vector<std::string> list;
    for (int t = 0x10E00; t < 0x10E00 + 200; ++t) list.push_back("0x" + hex(t));
    int red = 0;
    for (const auto& b : writeLines(list, kModeCatalogue, 3)) {
        const auto fill = test::fillOf(b);
        ASSERT_EQ(fill.size(), 2u);
        for (const auto& c : fill) {
            const std::string digits = c.substr(6, 6);
            ASSERT_TRUE(isColourLine("\"0 c #" + digits + "\"")) << c;
            ASSERT_TRUE(digits.substr(0, 2) == "FF" || digits.substr(2, 2) == "FF" ||
                        digits.substr(4, 2) == "FF")
                << c;
            if (digits.substr(4, 2) == "FF") ++red;
        }
    }
    EXPECT_GT(red, 150); // about one half of 400
    EXPECT_LT(red, 250);
}

TEST(Lines, OneBlockPerType) {
    test::WriterInputs s = test::writerInputs({}, {"0x0100 ", "0x01", "0x10E02 "}, {});
    const auto b = writeLines(s);
    ASSERT_EQ(b.size(), 2u);
    EXPECT_EQ(test::valueOf(b[0], "Type"), "0x0100");
    EXPECT_EQ(test::valueOf(b[0], "LineWidth"), "6");
    EXPECT_EQ(s.map.inventory.list(kLines).size(), 3u);
}

} // namespace
} // namespace kestrel
