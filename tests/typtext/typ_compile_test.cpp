// The texts we write, compiled by mkgmap (the compiler our users feed them to): every form must
// compile without a warning, and the binary must carry what the text states.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "app/files.h"
#include "support/fake_ui.h"
#include "typtext/createtxt.h"
#include "typtext/element_entry.h"
#include "typtext/line_styles.h"
#include "typtext/poi_icons.h"
#include "typtext/polygon_styles.h"
#include "typtext/typ_binary_probe.h"
#include "typtext/typ_text_support.h"

namespace kestrel {
namespace {

namespace fs = std::filesystem;

std::string findOnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    for (const auto& dir : split(path ? path : "", ":")) {
        const fs::path p = fs::path(dir.empty() ? "." : dir) / program;
        std::error_code ec;
        if (fs::is_regular_file(p, ec)) return p.string();
    }
    return {};
}

struct Compiled {
    int status = -1;
    std::string log;
    std::string typ;
};

// Runs mkgmap on the text in a fresh folder. Its warnings go to a log only when asked for, so a
// java wrapper turns the logging on (the mkgmap launcher honours JAVACMD).
Compiled compile(const std::string& text, const std::string& codepage, int fid) {
    test::TempDir dir;
    dir.write("typ.txt", text);
    dir.write("log.props", "handlers = java.util.logging.ConsoleHandler\n"
                           ".level = WARNING\n"
                           "java.util.logging.ConsoleHandler.level = ALL\n");
    const std::string wrapper = dir.write("java-log", "#!/bin/sh\nexec java -Dlog.config=\"" +
                                                          dir.file("log.props") + "\" \"$@\"\n");
    fs::permissions(wrapper, fs::perms::owner_all);
    const std::string cmd =
        "cd '" + dir.path() + "' && JAVACMD='" + wrapper + "' mkgmap --code-page=" + codepage +
        " --family-id=" + std::to_string(fid) + " --product-id=1 typ.txt > mkgmap.log 2>&1";
    Compiled c;
    c.status = std::system(cmd.c_str());
    c.log = readFile(dir.file("mkgmap.log")).value_or("");
    c.typ = readFile(dir.file("typ.typ")).value_or("");
    return c;
}

std::string problems(const std::string& log) {
    std::string out;
    for (const auto& line : split(log, "\n"))
        if (contains(line, "WARNING") || contains(line, "SEVERE") || contains(line, "ERROR") ||
            (contains(line, "Exception") && !contains(line, "Exceptions: 0")))
            out += line + "\n";
    return out;
}

std::string colourOf(const std::string& colourLine) { // "\"0 c #a0b1c2\"" -> "A0B1C2"
    return ucase(colourLine.substr(6, 6));
}

// Compares the compiled records with the blocks of the text.
void expectCarriesTheText(const std::string& text, const test::TypProbe& typ) {
    const auto polygons = test::blocksOf(text, "[_polygon]");
    ASSERT_EQ(typ.records[kPolygons].size(), polygons.size());
    for (const auto& b : polygons) {
        const std::string type = test::valueOf(b, "Type");
        const test::TypRecord* r = typ.find(kPolygons, typeValue(type));
        ASSERT_NE(r, nullptr) << type;
        const auto fill = test::fillOf(b);
        const int ctyp = static_cast<std::uint8_t>(r->bytes[0]) & 0x0F;
        if (test::valueOf(b, "Xpm") == "\"0 0 1 0\"") {
            EXPECT_EQ(ctyp, 6) << type;
            EXPECT_EQ(test::bgrColour(r->bytes, 1), colourOf(fill[0])) << type;
        } else {
            EXPECT_EQ(ctyp, 8) << type;
            EXPECT_EQ(test::bgrColour(r->bytes, 1), colourOf(fill[0])) << type;
            EXPECT_EQ(test::bgrColour(r->bytes, 4), colourOf(fill[1])) << type;
            // The 32 x 32 bitmap: one bit per pixel, rows of four bytes, "0" pixels set.
            ASSERT_GE(r->bytes.size(), 7u + 128u);
            for (std::size_t row = 0; row < 32; ++row)
                for (std::size_t col = 0; col < 32; ++col) {
                    const auto byte = static_cast<std::uint8_t>(r->bytes[7 + row * 4 + col / 8]);
                    const char pixel = ((byte >> (col % 8)) & 1) ? '0' : '1';
                    ASSERT_EQ(pixel, fill[2 + row][1 + col]) << type << " row " << row;
                }
        }
    }
    const auto lines = test::blocksOf(text, "[_line]");
    ASSERT_EQ(typ.records[kLines].size(), lines.size());
    for (const auto& b : lines)
        EXPECT_NE(typ.find(kLines, typeValue(test::valueOf(b, "Type"))), nullptr);
    const auto points = test::blocksOf(text, "[_point]");
    ASSERT_EQ(typ.records[kPois].size(), points.size());
    for (const auto& b : points) {
        const std::string type = test::valueOf(b, "Type");
        const test::TypRecord* r = typ.find(kPois, typeValue(type));
        ASSERT_NE(r, nullptr) << type;
        std::istringstream header(test::valueOf(b, "Xpm").substr(1));
        int w = 0, h = 0;
        header >> w >> h;
        EXPECT_EQ(static_cast<std::uint8_t>(r->bytes[1]), w) << type;
        EXPECT_EQ(static_cast<std::uint8_t>(r->bytes[2]), h) << type;
    }
}

void compileAndCheck(Session& s, const std::string& what) {
    test::FakeUi ui;
    std::mt19937 rng(11);
    const std::string text = buildTypText(s, s.settings.codepage, rng, ui).text();
    const int fid = static_cast<int>(val(s.fields.fid));
    const Compiled c = compile(text, s.settings.codepage, fid);
    ASSERT_EQ(c.status, 0) << what << "\n" << c.log;
    EXPECT_EQ(problems(c.log), "") << what;
    const auto typ = test::probeTyp(c.typ);
    ASSERT_TRUE(typ) << what;
    EXPECT_EQ(typ->fid, fid);
    EXPECT_EQ(typ->codepage, std::stoi(s.settings.codepage));
    expectCarriesTheText(text, *typ);
}

// Every catalogue row in the form a map overview gives it, plus unknown, extended and
// subtype codes, labels with a non-ASCII letter and draw-order markers.
Session everyForm() {
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
    Session s = test::writerSession(polygons, lines, pois);
    s.settings.poiWidth = "32";
    return s;
}

class TypCompile : public ::testing::Test {
  protected:
    void SetUp() override {
        if (findOnPath("mkgmap").empty() || findOnPath("java").empty())
            GTEST_SKIP() << "mkgmap is not installed";
    }
};

TEST_F(TypCompile, CatalogueStylesCompileCleanly) {
    Session s = everyForm();
    s.settings.kindmode = {kModeCatalogue, kModeCatalogue, kModeCatalogue};
    compileAndCheck(s, "catalogue");
}

TEST_F(TypCompile, ColorPickerStylesCompileCleanly) {
    Session s = everyForm();
    s.settings.kindmode = {kModeColorPicker, kModeColorPicker, kModeColorPicker};
    s.settings.codepage = "1250";
    s.fields.fid = "4711";
    compileAndCheck(s, "color picker");
}

TEST_F(TypCompile, TypeOnBmpStylesCompileCleanly) {
    Session s = everyForm();
    s.settings.kindmode = {kModeTypeOnBmp, kModeColorPicker, kModeTypeOnBmp};
    s.fields.ntMarker = true; // the extended background codes too
    compileAndCheck(s, "type on bmp");
}

// The string arrays of a fixture's expected result ("polygons": [ "...", ... ]).
std::vector<std::string> jsonList(const std::string& json, const std::string& key) {
    std::vector<std::string> out;
    auto at = json.find("\"" + key + "\": [");
    if (at == std::string::npos) return out;
    at = json.find('[', at) + 1;
    while (at < json.size()) {
        while (at < json.size() && (json[at] == ' ' || json[at] == '\n' || json[at] == ',')) ++at;
        if (at >= json.size() || json[at] != '"') break;
        std::string s;
        for (++at; at < json.size() && json[at] != '"'; ++at) {
            if (json[at] == '\\' && at + 1 < json.size()) ++at;
            s += json[at];
        }
        out.push_back(s);
        ++at;
    }
    return out;
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
        const std::string json = readFile(file).value_or("");
        Session s = test::writerSession(jsonList(json, "polygons"), jsonList(json, "lines"),
                                        jsonList(json, "pois"));
        s.settings.kindmode = {mode, kModeColorPicker, mode};
        SCOPED_TRACE(file);
        compileAndCheck(s, file);
        mode = mode == kModeCatalogue ? kModeTypeOnBmp : kModeCatalogue;
    }
    EXPECT_GE(files.size(), 5u);
}

} // namespace
} // namespace kestrel
