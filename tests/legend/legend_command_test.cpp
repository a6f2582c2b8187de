// `kestrel-cli legend` end to end: its inputs, outputs and refusals, with their exit statuses.
#include <gtest/gtest.h>

#include <filesystem>

#include "base/files.h"
#include "base/paths.h"
#include "support/run_program.h"
#include "support/temp_dir.h"
#include "support/tile_builder.h"

namespace kestrel::test {
namespace {

const std::string kTypData = KESTREL_TYP_DATA_DIR;

TEST(LegendCommand, WritesEachFormatFromEachInputOrSaysWhyNot) {
    TempDir dir;
    const std::string withTyp = fixtureDir() + "/maps/with_typ/gmapsupp.img";
    const std::string sample = std::string(KESTREL_BIN_DIR) + "/test.img";
    const std::string lines = kTypData + "/lines.txt";
    ASSERT_FALSE(replaceFile(dir.file("bad.txt"), "[_polygon]\nType=0x01\n[end]\n"));
    ASSERT_FALSE(replaceFile(dir.file("empty.txt"), ""));
    const std::string typ = readFile(kTypData + "/lines.typ").value();
    ASSERT_FALSE(replaceFile(dir.file("old.typ"), typ));
    const struct {
        std::string args; // the input and options
        std::string out;  // the output's name in the folder; "-": stdout
        int status;
        std::string start;  // the start of what was written
        std::string stderr; // a part of what stderr says
    } cases[] = {
        {kTypData + "/polygons.txt", "a.png", 0, "\x89PNG", "12 polygons, 0 lines, 0 points"},
        {kTypData + "/points.typ", "b.svg", 0, "<?xml", "0 polygons, 0 lines, 16 points"},
        {withTyp, "c.html", 0, "<!DOCTYPE html>", "wrote"},
        {lines + " --map " + sample, "d.htm", 0, "<!DOCTYPE html>", "types of the map unstyled"},
        {lines + " --format svg", "-", 0, "<?xml", ""},
        {dir.file("empty.txt"), "j.png", 0, "\x89PNG", "0 polygons, 0 lines, 0 points"},
        {lines, "e.gif", 2, "", "name the output .png, .svg or .html"},
        {lines + " --format png", "old.typ", 2, typ, "use --force"},
        {lines + " --map " + dir.file("none.img"), "f.png", 1, "", "none.img: no such file"},
        {dir.file("bad.txt"), "g.png", 1, "", "line 3:"},
        {sample, "h.png", 1, "", "no TYP file inside"},
        {dir.file("none.txt"), "i.png", 1, "", "none.txt: no such file"},
    };
    for (const auto& c : cases) {
        const std::string out = c.out == "-" ? c.out : dir.file(c.out);
        SCOPED_TRACE(c.args + " -o " + out);
        const ProgramRun r = runCli(words("legend " + c.args + " -o " + out));
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_NE(r.err.find(c.stderr), std::string::npos) << r.err;
        const std::string written = c.out == "-" ? r.out : readFile(out).value_or("");
        EXPECT_TRUE(written.starts_with(c.start)) << written.substr(0, 20);
        if (c.start.empty()) {
            EXPECT_EQ(written, "");
        }
    }
}

// A map of several TYP files: the first one's legend or picture, and a note that says so.
TEST(LegendCommand, OfAMapOfSeveralTypsTheFirstIsShownAndNamed) {
    TempDir dir;
    const std::string lines = readFile(kTypData + "/lines.typ").value();
    const std::string polygons = readFile(kTypData + "/polygons.typ").value();
    const std::string map = dir.write(
        "two.img", container({{"TYP", lines, {}, "LINES"}, {"TYP", polygons, {}, "AREAS"}}));
    const ProgramRun r = runCli({"legend", map, "-o", dir.file("a.svg")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("two.img: holds 2 TYP files; the first, LINES.TYP, is used (map-typ "
                         "--extract takes out each)"),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find(": 0 polygons, "), std::string::npos) << r.err;
    const std::string sample = std::string(KESTREL_BIN_DIR) + "/test.img";
    const ProgramRun picture = runCli({"render", "--typ", map, sample, "-o", dir.file("a.png")});
    EXPECT_EQ(picture.status, 0) << picture.err;
    EXPECT_NE(picture.err.find("two.img: holds 2 TYP files; the first, LINES.TYP"),
              std::string::npos)
        << picture.err;
}

// kestrel-cli draws no legend itself: it runs the drawing program installed with it, and says so
// when that is missing, writing nothing. The map picture needs no Cairo: kestrel-cli draws it
// alone.
TEST(LegendCommand, WithoutTheDrawingProgramOnlyTheMapIsDrawn) {
    TempDir dir;
    const std::string alone = dir.file("kestrel-cli");
    std::filesystem::copy_file(KESTREL_CLI_PROGRAM, alone);
    std::filesystem::permissions(alone, std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
    const std::string sample = std::string(KESTREL_BIN_DIR) + "/test.img";
    const ProgramRun legend =
        runProgram(words(alone + " legend " + kTypData + "/lines.txt -o " + dir.file("a.png")));
    EXPECT_EQ(legend.status, 1);
    EXPECT_EQ(legend.err, "kestrel-cli: cannot start the drawing program kestrel-cli-draw: No such "
                          "file or directory\n");
    EXPECT_FALSE(fileExists(dir.file("a.png")));
    const ProgramRun picture =
        runProgram(words(alone + " render -q --typ " + kTypData + "/lines.txt " + sample + " -o " +
                         dir.file("b.png")));
    EXPECT_EQ(picture.status, 0) << picture.err;
    EXPECT_EQ(readFileHead(dir.file("b.png"), 8), std::string("\x89PNG\r\n\x1a\n", 8));
}

} // namespace
} // namespace kestrel::test
