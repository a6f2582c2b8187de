// The polygon, line and POI writers on the rows of typtext/element_writers.cases; each row's
// text, error log, list afterwards and icon widths are compared with typtext/element_writers.txt.
#include <gtest/gtest.h>

#include <set>

#include "support/golden_file.h"
#include "typtext/line_writer.h"
#include "typtext/poi_writer.h"
#include "typtext/polygon_writer.h"
#include "typtext/typ_text_support.h"

namespace kestrel {
namespace {

// Sets the inputs up as the row's settings say; gives the kind and the seed.
std::pair<int, unsigned> setUp(test::WriterInputs& s, const std::string& settings) {
    const std::vector<std::string> words = split(settings, " ");
    const std::vector<std::string> kinds{"polygons", "lines", "pois"}, modes{"catalogue", "picker"};
    const auto kind =
        static_cast<int>(std::find(kinds.begin(), kinds.end(), words[0]) - kinds.begin());
    s.style.kindmode[kind] = words[1] == modes[0]   ? kModeCatalogue
                             : words[1] == modes[1] ? kModeColorPicker
                                                    : kModeTypeOnBmp;
    unsigned seed = 1;
    for (std::size_t i = 2; i < words.size(); ++i) {
        const std::string key = words[i].substr(0, words[i].find('='));
        const std::string value = words[i].substr(key.size() + (key.size() < words[i].size()));
        const std::vector<std::string> numbers = split(value, ",");
        if (key == "no-backgrounds")
            s.style.include4b4a = false;
        else if (key == "slots")
            for (std::size_t j = 0; j < 4; ++j)
                s.style.colourSlots[j] = static_cast<ColourValue>(hexValue(numbers.at(j)));
        else if (key == "widths")
            s.widths = {std::stoi(numbers[0]), std::stoi(numbers.at(1))};
        else if (key == "data")
            s.syspath = value;
        else if (key == "seed")
            seed = static_cast<unsigned>(std::stoul(value));
        else
            ADD_FAILURE() << "unknown option " << words[i];
    }
    return {kind, seed};
}

TEST(ElementWriters, OutputsAreTheGoldenFile) {
    using Writer = void (*)(TypTextDocument&, const TypTextContext&, std::mt19937&);
    const Writer writers[] = {polygons, polylines, pois};
    const char* headers[] = {"[_polygon]", "[_line]", "[_point]"};
    std::string all;
    for (const std::vector<std::string>& fields : test::caseRows("typtext/element_writers.cases")) {
        ASSERT_GE(fields.size(), 2u) << fields[0];
        SCOPED_TRACE(fields[0]);
        test::WriterInputs s;
        const auto [kind, seed] = setUp(s, fields[1]);
        if (fields.size() > 2)
            s.map.inventory.list(kind) = test::listed(test::caseEntries(fields[2]));
        const test::WrittenBlocks w = test::writeWith(writers[kind], s, seed, headers[kind]);
        for (const test::Chunk& block : w.blocks)
            EXPECT_EQ(test::fillProblem(block), "") << block[1];
        all += concat({"== ", fields[0], "\r\n", w.text, "-- list: ",
                       join(entryTexts(s.map.inventory.list(kind)), "|"), "\r\n-- widths ",
                       std::to_string(s.widths.poi), " ", std::to_string(s.widths.city), "\r\n"});
    }
    test::expectGoldenFile("typtext/element_writers.txt", all);
}

TEST(Polygons, DefaultStyleColoursAreUniqueWithinARun) {
    test::WriterInputs s = test::writerInputs(test::caseEntries("codes 0x10100 400"), {}, {});
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
    inventory.list(kPolygons) = test::listed(std::vector<std::string>{"0x10802 "});
    chkpolstoadd(inventory, true);
    chkpolstoadd(inventory, true);
    EXPECT_EQ(entryTexts(inventory.list(kPolygons)),
              (std::vector<std::string>{"0x10802 ", "0x10B08", "0x10A01", "0x1090C"}));
}

} // namespace
} // namespace kestrel
