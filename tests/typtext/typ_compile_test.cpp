// The texts we write, compiled by mkgmap (the compiler our users feed them to): every form must
// compile without a warning, and the binary must carry what the text states. The text of every
// catalogue row in each style mode is a golden file, so that a changed catalogue value shows.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <set>

#include "base/files.h"
#include "support/fake_ui.h"
#include "support/golden_file.h"
#include "typtext/compiled_typ_check.h"
#include "typtext/createtxt.h"
#include "typtext/element_entry.h"
#include "typtext/line_styles.h"
#include "typtext/poi_icons.h"
#include "typtext/polygon_styles.h"
#include "typtext/typ_text_support.h"

namespace kestrel {
namespace {

namespace fs = std::filesystem;

// The text written for the inputs, which must compile as written.
std::string compiledText(test::WriterInputs& s, const std::string& codepage = "1252") {
    test::FakeUi ui;
    std::mt19937 rng(11);
    const std::string text = buildTypText(s.context(ui), codepage, rng).text();
    if (test::mkgmapAvailable()) test::expectCompilesAsWritten(text);
    return text;
}

// Every catalogue row in the form a map overview gives it, plus unknown, extended and
// subtype codes, labels with a non-ASCII letter and draw-order markers.
test::WriterInputs everyForm() {
    std::vector<std::string> polygons{"0x1305 Urban (d2)",
                                      "0x10D01  map container (d0)",
                                      "0x10601 ",
                                      "0x10F08  Lake (d1)",
                                      "0x2900",
                                      "0x5300 Caf\xE9 (d3)"};
    for (const auto& row : kPolygonStyles)
        if (row.key.size() == 4) polygons.push_back("0x" + ucase(row.key.substr(2)) + "00");
    std::vector<std::string> lines{"0x10E02 ", "0x10F04  Path", "0x2F00 ", "0x3000", "0x0900 "};
    for (const auto& row : kLineStyles) lines.push_back("0x" + ucase(row.key.substr(2)) + "00 ");
    std::vector<std::string> pois{"0x0d00", "0x2f04 Shop", "0x11401 ", "0x13500  Filipino",
                                  "0x2a",   "0x2b",        "0x2e",     "0x6600 Caf\xE9"};
    for (const auto& row : kPoiIcons) pois.push_back(std::string(row.key));
    for (int t = 0x11500; t < 0x11500 + 14; ++t) pois.push_back("0x" + hex(t));
    test::WriterInputs s = test::writerInputs(polygons, lines, pois);
    s.widths.poi = 32;
    return s;
}

TEST(TypCompile, CatalogueStylesAreTheGoldenTextAndCompileCleanly) {
    test::WriterInputs s = everyForm();
    s.style.kindmode = {kModeCatalogue, kModeCatalogue, kModeCatalogue};
    test::expectGoldenFile("typtext/every_form_catalogue.txt", compiledText(s));
}

TEST(TypCompile, ColorPickerStylesAreTheGoldenTextAndCompileCleanly) {
    test::WriterInputs s = everyForm();
    s.style.kindmode = {kModeColorPicker, kModeColorPicker, kModeColorPicker};
    s.map.fields.fid = "4711";
    test::expectGoldenFile("typtext/every_form_color_picker.txt", compiledText(s, "1250"));
}

TEST(TypCompile, TypeOnBmpStylesAreTheGoldenTextAndCompileCleanly) {
    test::WriterInputs s = everyForm();
    s.style.kindmode = {kModeTypeOnBmp, kModeColorPicker, kModeTypeOnBmp};
    s.map.fields.ntMarker = true; // the extended background codes too
    test::expectGoldenFile("typtext/every_form_type_on_bmp.txt", compiledText(s));
}

TEST(TypCompile, TextsForThePublicMapsCompileCleanly) {
    const fs::path root = test::sharedFixtureDir();
    if (!test::mkgmapAvailable() || !fs::exists(root)) GTEST_SKIP() << "no mkgmap or fixtures";
    // One inventory per map (the draw-order variant where there is one, for its markers) and
    // the Highways+ variant, whose bare line codes stand beside the overview's.
    std::set<std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(root)) {
        const std::string p = e.path().string();
        if (!endsWith(p, ".expected.json") || contains(p, ".styles")) continue;
        const std::string base = p.substr(0, p.size() - std::string(".expected.json").size());
        if (fs::exists(base + ".draworder.expected.json")) continue;
        files.insert(p);
    }
    int mode = kModeCatalogue;
    for (const auto& file : files) {
        const auto json = nlohmann::json::parse(readFile(file).value_or(""), nullptr, false);
        ASSERT_FALSE(json.is_discarded()) << file;
        test::WriterInputs s = test::writerInputs(json["polygons"], json["lines"], json["pois"]);
        s.style.kindmode = {mode, kModeColorPicker, mode};
        SCOPED_TRACE(file);
        compiledText(s);
        mode = mode == kModeCatalogue ? kModeTypeOnBmp : kModeCatalogue;
    }
    EXPECT_GE(files.size(), 5u);
}

} // namespace
} // namespace kestrel
