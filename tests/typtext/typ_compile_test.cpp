// The texts we write, compiled by mkgmap (the compiler our users feed them to): every form must
// compile without a warning, and the binary must carry what the text states.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>

#include "base/files.h"
#include "support/fake_ui.h"
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

void compileAndCheck(test::WriterInputs& s, const std::string& what,
                     const std::string& codepage = "1252") {
    test::FakeUi ui;
    std::mt19937 rng(11);
    const std::string text = buildTypText(s.context(ui), codepage, rng).text();
    SCOPED_TRACE(what);
    test::expectCompilesAsWritten(text);
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
    std::vector<std::string> lines{"0x10E02 ", "0x10F04  Path", "0x3000", "0x0900 "};
    for (const auto& row : kLineStyles) lines.push_back("0x" + ucase(row.key.substr(2)) + "00 ");
    std::vector<std::string> pois{"0x0d00", "0x2f04 Shop", "0x11401 ", "0x13500  Filipino",
                                  "0x2a",   "0x2b",        "0x2e",     "0x6600 Caf\xE9"};
    for (const auto& row : kPoiIcons) pois.push_back(std::string(row.key));
    for (int t = 0x11500; t < 0x11500 + 14; ++t) pois.push_back("0x" + hex(t));
    test::WriterInputs s = test::writerInputs(polygons, lines, pois);
    s.widths.poi = 32;
    return s;
}

class TypCompile : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!test::mkgmapAvailable()) GTEST_SKIP() << "mkgmap is not installed";
    }
};

TEST_F(TypCompile, CatalogueStylesCompileCleanly) {
    test::WriterInputs s = everyForm();
    s.style.kindmode = {kModeCatalogue, kModeCatalogue, kModeCatalogue};
    compileAndCheck(s, "catalogue");
}

TEST_F(TypCompile, ColorPickerStylesCompileCleanly) {
    test::WriterInputs s = everyForm();
    s.style.kindmode = {kModeColorPicker, kModeColorPicker, kModeColorPicker};
    s.map.fields.fid = "4711";
    compileAndCheck(s, "color picker", "1250");
}

TEST_F(TypCompile, TypeOnBmpStylesCompileCleanly) {
    test::WriterInputs s = everyForm();
    s.style.kindmode = {kModeTypeOnBmp, kModeColorPicker, kModeTypeOnBmp};
    s.map.fields.ntMarker = true; // the extended background codes too
    compileAndCheck(s, "type on bmp");
}

TEST_F(TypCompile, TextsForThePublicMapsCompileCleanly) {
    const fs::path root = test::sharedFixtureDir();
    if (!fs::exists(root)) GTEST_SKIP() << "no shared fixtures";
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
        compileAndCheck(s, file);
        mode = mode == kModeCatalogue ? kModeTypeOnBmp : kModeCatalogue;
    }
    EXPECT_GE(files.size(), 5u);
}

} // namespace
} // namespace kestrel
