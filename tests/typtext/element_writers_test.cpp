// The polygon, line and POI writers on a table of inventories and styles; each row's text, error
// log, list afterwards and icon widths are compared with typtext/element_writers.txt.
#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "support/golden_file.h"
#include "typtext/line_writer.h"
#include "typtext/poi_writer.h"
#include "typtext/polygon_writer.h"
#include "typtext/typ_text_support.h"

namespace kestrel {
namespace {

using Writer = void (*)(TypTextDocument&, const TypTextContext&, std::mt19937&);
using Tweak = std::function<void(test::WriterInputs&)>;

struct Row {
    const char* name;
    int kind;
    std::vector<std::string> list;
    int mode;
    Tweak tweak = nullptr;
    unsigned seed = 1;
};

std::vector<std::string> codes(int first, int count) {
    std::vector<std::string> out;
    for (int t = first; t < first + count; ++t) out.push_back("0x" + hex(t));
    return out;
}

Tweak noBackgrounds = [](test::WriterInputs& s) { s.style.include4b4a = false; };
Tweak slots(ColourSlots c) {
    return [c](test::WriterInputs& s) {
        s.style.include4b4a = false;
        s.style.colourSlots = c;
    };
}
Tweak widths(int poi, int city) {
    return [poi, city](test::WriterInputs& s) { s.widths = {poi, city}; };
}

const std::vector<std::string> kEveryFill{"0x1300",
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

const Row kRows[] = {
    {"polygons picker",
     kPolygons,
     {"0x1300", "0x10D01", "0x10F08  Lake", "0x10601 "},
     kModeColorPicker},
    {"polygons picker labelled", kPolygons, {"0x10D01  map container (d0)"}, kModeColorPicker},
    {"polygons numbers", kPolygons, {"0x4B00", "0x1300", "0x10601 "}, kModeTypeOnBmp},
    {"polygons numbers on chosen slots",
     kPolygons,
     {"0x1300", "0x10601 "},
     kModeTypeOnBmp,
     slots({0x123456, 0x0000FF, kWhite, kYellow})},
    {"polygons numbers on black slots",
     kPolygons,
     {"0x1300", "0x10601 "},
     kModeTypeOnBmp,
     slots({0, 0, kWhite, kYellow})},
    {"polygons stripes repeat", kPolygons, codes(0x10100, 10), kModeCatalogue},
    {"polygons solid blocks count as stripes",
     kPolygons,
     {"0x10100", "0x2800", "0x4B00", "0x10101", "0x4A00"},
     kModeCatalogue},
    {"polygons catalogue by bare type",
     kPolygons,
     {"0x4A00", "0x4B00", "0x0600 ", "0x0100", "0x2800 Sea", "0x10d01 box", "0x4E00"},
     kModeCatalogue},
    {"polygons every fill catalogue", kPolygons, kEveryFill, kModeCatalogue},
    {"polygons every fill picker", kPolygons, kEveryFill, kModeColorPicker},
    {"polygons every fill numbers", kPolygons, kEveryFill, kModeTypeOnBmp},
    {"polygons empty", kPolygons, {}, kModeCatalogue, noBackgrounds},
    {"polygons background added", kPolygons, {"0x4B00 (d1)", "0x1300"}, kModeColorPicker},
    {"polygons subtype stands for zero form",
     kPolygons,
     {"0x1300 City", "0x1305 Urban", "0x1310 Other"},
     kModeColorPicker},
    {"polygons first entry wins",
     kPolygons,
     {"0x10601 ", "0x4B00", "0x10601  Lake", "0x4b"},
     kModeColorPicker,
     noBackgrounds},
    {"polygons not a code", kPolygons, {"garbage here", "0x1300"}, kModeCatalogue, noBackgrounds},
    {"lines widths and labels", kLines, {"0x10E02", "0x10E03 Track", "0x10E04 "}, kModeCatalogue},
    {"lines catalogue", kLines, {"0x01", "0x0200 ", "0x0700 x"}, kModeCatalogue},
    {"lines patterns",
     kLines,
     {"0x0a", "0x0F00 ", "0x1400 ", "0x1600 ", "0x1000 ", "0x0d", "0x0e", "0x0f"},
     kModeCatalogue},
    {"lines picker", kLines, {"0x0a", "0x0A00 ", "0x30", "0x10E02 "}, kModeColorPicker},
    {"lines numbers", kLines, {"0x0a", "0x30", "0x10E02 "}, kModeTypeOnBmp},
    {"lines random colours", kLines, codes(0x10E00, 16), kModeCatalogue, {}, 3},
    {"lines first wins and bad entry",
     kLines,
     {"0x0100 ", "0x01", "0x10E02 ", "nonsense"},
     kModeCatalogue},
    {"pois icon", kPois, {"0x2c02"}, kModeTypeOnBmp},
    {"pois city frame and widths",
     kPois,
     {"0x0d00", "0x2f04 Shop"},
     kModeCatalogue,
     widths(20, 14)},
    {"pois frame bands", kPois, codes(0x11500, 13), kModeCatalogue, widths(32, 16)},
    {"pois small frames start again", kPois, codes(0x11500, 4), kModeCatalogue},
    {"pois width capped", kPois, {"0x11500"}, kModeCatalogue, widths(40, 16)},
    {"pois numbers", kPois, {"0x2c02", "0x11401 ", "0x0d00"}, kModeTypeOnBmp, widths(16, 12)},
    {"pois numbers on black slots",
     kPois,
     {"0x11401", "0x0d00"},
     kModeTypeOnBmp,
     slots({kWhite, kYellow, 0, 0})},
    {"pois numbers on chosen slots",
     kPois,
     {"0x11401", "0x0d00"},
     kModeTypeOnBmp,
     slots({kWhite, kYellow, 0x00FF00, 0x0000FF})},
    {"pois picker", kPois, {"0x11401 ", "0x2f04"}, kModeColorPicker},
    {"pois bare icon codes", kPois, {"0x2a", "0x2b", "0x2e"}, kModeCatalogue},
    {"pois missing icon file",
     kPois,
     {"0x2c02"},
     kModeCatalogue,
     [](test::WriterInputs& s) { s.syspath = "/nonexistent-data"; }},
    {"pois first wins",
     kPois,
     {"0x10B13  African", "0x13500  Filipino", "0x10B13  African", "0x2a", "0x2a00"},
     kModeCatalogue},
};

TEST(ElementWriters, OutputsAreTheGoldenFile) {
    const Writer writers[] = {polygons, polylines, pois};
    const char* headers[] = {"[_polygon]", "[_line]", "[_point]"};
    std::string all;
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.name);
        test::WriterInputs s;
        s.map.inventory.list(row.kind) = row.list;
        s.style.kindmode[row.kind] = row.mode;
        if (row.tweak) row.tweak(s);
        const test::WrittenBlocks w =
            test::writeWith(writers[row.kind], s, row.seed, headers[row.kind]);
        for (const test::Chunk& block : w.blocks)
            EXPECT_EQ(test::fillProblem(block), "") << block[1];
        all += concat({"== ", row.name, "\r\n", w.text, "-- errors\r\n", s.errors.text(),
                       "-- list: ", join(s.map.inventory.list(row.kind), "|"), "\r\n-- widths ",
                       std::to_string(s.widths.poi), " ", std::to_string(s.widths.city), "\r\n"});
    }
    test::expectGoldenFile("typtext/element_writers.txt", all);
}

TEST(Polygons, DefaultStyleColoursAreUniqueWithinARun) {
    test::WriterInputs s = test::writerInputs(codes(0x10100, 400), {}, {});
    s.style.kindmode[kPolygons] = kModeCatalogue;
    s.style.include4b4a = false;
    const auto blocks = test::writeWith(polygons, s, 1, "[_polygon]").blocks;
    ASSERT_EQ(blocks.size(), 400u);
    std::set<std::string> colours;
    for (const auto& b : blocks) colours.insert(test::fillOf(b)[0]);
    EXPECT_EQ(colours.size(), 400u);
}

TEST(Polygons, NtMapGetsExtendedBackgroundCodesOnce) {
    TypeInventory inventory;
    inventory.list(kPolygons) = {"0x10802 "};
    chkpolstoadd(inventory, true);
    chkpolstoadd(inventory, true);
    EXPECT_EQ(inventory.list(kPolygons),
              (std::vector<std::string>{"0x10802 ", "0x10B08", "0x10A01", "0x1090C"}));
}

} // namespace
} // namespace kestrel
