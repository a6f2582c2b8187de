#include "legend/legend_sheet.h"

#include <gtest/gtest.h>

#include "legend/legend_sample.h"
#include "legend/legend_texts.h"
#include "legend/row_text.h"

namespace kestrel::legend {
namespace {

// The rows' facts, each with its kind.
std::vector<std::string> facts(const Sheet& s, const std::vector<Row>& rows) {
    std::vector<std::string> out;
    for (const Row& r : rows) out.push_back(factsLine(rowText(s, r), true));
    return out;
}

TEST(LegendSheet, PolygonsComeInDrawOrderWithThoseLeftOutLast) {
    const Sheet s = makeSheet(test::sampleTyp());
    EXPECT_EQ(facts(s, s.polygons),
              (std::vector<std::string>{"polygon 0x4B00  ·  level 1", "polygon 0x0100  ·  level 2",
                                        "polygon 0x10F04  ·  level 3",
                                        "polygon 0x0200  ·  not in the draw order"}));
    EXPECT_EQ(s.lines.size(), 1u);
    EXPECT_EQ(s.points.size(), 1u);
    EXPECT_FALSE(s.withMap);
}

TEST(LegendSheet, DrawLevelOfStandardAndExtendedTypes) {
    typ::DrawOrder order;
    order.levels = {{{0x4B, 0}}, {}, {{0x0F, 1u << 4 | 1u << 31}, {0x01, 0}}};
    const struct {
        typ::ElementCode code;
        std::optional<unsigned> level;
    } cases[] = {{{0x4B, 0}, 1u},  {{0x01, 0}, 3u}, {{0x10F, 4}, 3u}, {{0x10F, 31}, 3u},
                 {{0x10F, 5}, {}}, {{0x0F, 0}, {}}, {{0x14B, 0}, {}}, {{0x02, 0}, {}}};
    for (const auto& c : cases) EXPECT_EQ(drawLevel(order, c.code), c.level) << codeText(c.code);
}

TEST(LegendSheet, BesideAMapCountsAndListsWhatEachMisses) {
    MapUse use;
    use.kinds[0] = {{0x4B00, 1, 0}, {0x0100, 7, 0}, {0x0300, 2, 0}, {0x10F05, 4, 0}};
    use.kinds[1] = {{0x0200, 3, 0}};
    use.kinds[2] = {{0x2F06, 5, 0}, {0x2F07, 1, 0}};
    const Sheet s = makeSheet(test::sampleTyp(), use);
    ASSERT_TRUE(s.withMap);
    EXPECT_EQ(facts(s, s.polygons),
              (std::vector<std::string>{"polygon 0x4B00  ·  level 1  ·  1 object",
                                        "polygon 0x0100  ·  level 2  ·  7 objects",
                                        "polygon 0x10F04  ·  level 3  ·  0 objects",
                                        "polygon 0x0200  ·  not in the draw order  ·  0 objects"}));
    EXPECT_EQ(facts(s, s.unstyled),
              (std::vector<std::string>{"polygon 0x0300  ·  not in the draw order  ·  2 objects",
                                        "polygon 0x10F05  ·  not in the draw order  ·  4 objects",
                                        "line 0x0200  ·  3 objects", "point 0x2F07  ·  1 object"}));
    EXPECT_EQ(facts(s, s.undrawn), (std::vector<std::string>{
                                       "polygon 0x0300  ·  not in the draw order  ·  2 objects",
                                       "polygon 0x10F05  ·  not in the draw order  ·  4 objects"}));
    EXPECT_EQ(facts(s, s.unused),
              (std::vector<std::string>{"polygon 0x10F04  ·  level 3  ·  0 objects",
                                        "polygon 0x0200  ·  not in the draw order  ·  0 objects",
                                        "line 0x0100  ·  0 objects"}));
}

TEST(LegendSheet, RowTextsNameLabelsWithTheirLanguageFontAndColours) {
    const Sheet s = makeSheet(test::sampleTyp());
    const RowText town = rowText(s, s.polygons[1]);
    EXPECT_EQ(labelsLine(town), "Town (English), Stadt (German)  ·  small font  ·  label "
                                "colours: #102030");
    EXPECT_EQ(labelsLine(rowText(s, s.lines[0])),
              "no labels  ·  default font  ·  label colours: the device's");
}

TEST(LegendSheet, MisshapenPicturesRefuseTheSheetNamingTheElement) {
    typ::TypFile t = test::sampleTyp();
    EXPECT_FALSE(sheetFault(t));
    t.points[0].day.indices.pop_back();
    const auto fault = sheetFault(t);
    ASSERT_TRUE(fault);
    EXPECT_EQ(sheetFaultText(*fault),
              "point 0x2F06: an icon whose pixels do not fill its width and height; nothing drawn");
}

} // namespace
} // namespace kestrel::legend
