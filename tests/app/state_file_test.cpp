#include "app/state_file.h"

#include <gtest/gtest.h>

#include "base/files.h"
#include "base/text.h"
#include "support/temp_dir.h"
#include <filesystem>
#include <limits>

namespace kestrel {
namespace {

// A state file of the given lines, each followed by CR LF, plus the final line break.
std::string fileOf(const std::vector<std::string>& lines) {
    std::string s;
    for (const auto& l : lines) s += l + "\r\n";
    return s + "\r\n";
}

std::vector<std::string> lineDefaults(std::size_t n) {
    return std::vector<std::string>(n);
}

Settings changedSettings() {
    Settings s;
    s.lastdir = "/maps/last";
    s.reserved5 = "r5";
    s.reserved6 = "r6";
    s.carried7 = "c7";
    s.tinkerPath = "/opt/tnk/tnk5.exe";
    s.dumpflag = true;
    s.tdbEditorPath = "/opt/tdb_editor.exe";
    s.codepage = CodePage("1250");
    s.typfile = "/home/u/my.txt";
    s.draworder = false;
    s.poiWidths = {24, 12};
    s.kindmode = {0, 0, 1};
    s.recent = {"/a.img", "/b.img", "", "/d.img", "", "", "/g.img"};
    s.extendDirectories = 1;
    s.carried30 = "x30";
    s.carried31 = "x31";
    s.kindsel = {false, true, false};
    s.colourSlots = {0, 255, 0x123456, 0};
    s.variousIcons = true;
    s.include4b4a = false;
    s.updatePageUrl = "http://127.0.0.1:1/v.txt";
    s.downloadUrl = "http://127.0.0.1:1/d";
    return s;
}

void expectSame(const Settings& a, const Settings& b) {
    EXPECT_EQ(a.lastdir, b.lastdir);
    EXPECT_EQ(a.reserved5, b.reserved5);
    EXPECT_EQ(a.reserved6, b.reserved6);
    EXPECT_EQ(a.carried7, b.carried7);
    EXPECT_EQ(a.tinkerPath, b.tinkerPath);
    EXPECT_EQ(a.dumpflag, b.dumpflag);
    EXPECT_EQ(a.tdbEditorPath, b.tdbEditorPath);
    EXPECT_EQ(a.codepage, b.codepage);
    EXPECT_EQ(a.typfile, b.typfile);
    EXPECT_EQ(a.draworder, b.draworder);
    EXPECT_EQ(a.poiWidths.poi, b.poiWidths.poi);
    EXPECT_EQ(a.poiWidths.city, b.poiWidths.city);
    EXPECT_EQ(a.kindmode, b.kindmode);
    EXPECT_EQ(a.recent, b.recent);
    EXPECT_EQ(a.extendDirectories, b.extendDirectories);
    EXPECT_EQ(a.carried30, b.carried30);
    EXPECT_EQ(a.carried31, b.carried31);
    EXPECT_EQ(a.kindsel, b.kindsel);
    EXPECT_EQ(a.colourSlots, b.colourSlots);
    EXPECT_EQ(a.variousIcons, b.variousIcons);
    EXPECT_EQ(a.include4b4a, b.include4b4a);
    EXPECT_EQ(a.updatePageUrl, b.updatePageUrl);
    EXPECT_EQ(a.downloadUrl, b.downloadUrl);
}

TEST(StateFile, WrittenFileReadsBackEveryValueIncludingDumpflagAndBlack) {
    test::TempDir dir;
    const std::string path = dir.file("kestrel.dat");
    const Settings saved = changedSettings();
    ASSERT_TRUE(savedata(path, saved));
    Settings read;
    ASSERT_TRUE(loaddata(path, read));
    expectSame(read, saved);
}

TEST(StateFile, WritesEveryLineInOrder) {
    test::TempDir dir;
    const std::string path = dir.file("kestrel.dat");
    Settings s;
    s.typfile = "/t/untitled.txt";
    s.recent[0] = "/app/test.img";
    ASSERT_TRUE(savedata(path, s));
    EXPECT_EQ(readFile(path).value_or(""), fileOf({"111",
                                                   "",
                                                   "",
                                                   "",
                                                   " ",
                                                   "",
                                                   "",
                                                   "",
                                                   "",
                                                   "False",
                                                   "",
                                                   "1252",
                                                   "/t/untitled.txt",
                                                   " ",
                                                   " ",
                                                   " ",
                                                   "1",
                                                   "16",
                                                   "16",
                                                   "10",
                                                   "1",
                                                   "10",
                                                   "/app/test.img",
                                                   "",
                                                   "",
                                                   "",
                                                   "",
                                                   "",
                                                   "",
                                                   "0",
                                                   "",
                                                   "",
                                                   "1",
                                                   "1",
                                                   "1",
                                                   "16777215",
                                                   "65535",
                                                   "16777215",
                                                   "65535",
                                                   "0",
                                                   "1",
                                                   "",
                                                   ""}));
}

TEST(StateFile, MissingFileLeavesDefaults) {
    Settings s;
    EXPECT_FALSE(loaddata("/nonexistent/kestrel.dat", s));
    expectSame(s, Settings{});
}

TEST(StateFile, ShortFileKeepsDefaultsOfMissingLines) {
    test::TempDir dir;
    const std::string path = dir.write("kestrel.dat", "111\r\n\r\n\r\n/maps\r\n");
    Settings s;
    ASSERT_TRUE(loaddata(path, s));
    EXPECT_EQ(s.lastdir, "/maps");
    EXPECT_EQ(s.codepage.text(), "1252");
    EXPECT_EQ(s.kindmode, (std::array<int, 3>{10, 1, 10}));
    EXPECT_TRUE(s.draworder);
    EXPECT_TRUE(s.include4b4a);
    EXPECT_EQ(s.colourSlots, (std::array<ColourValue, 4>{kWhite, kYellow, kWhite, kYellow}));
}

TEST(StateFile, UnreadableNumbersKeepTheirDefaults) {
    auto lines = lineDefaults(41);
    lines[16] = "";
    lines[19] = "abc";
    lines[20] = "";
    lines[21] = "0";
    lines[29] = "x";
    lines[35] = "";
    lines[36] = "red";
    lines[37] = "-5";
    lines[38] = "99999999";
    test::TempDir dir;
    Settings s;
    ASSERT_TRUE(loaddata(dir.write("kestrel.dat", fileOf(lines)), s));
    EXPECT_TRUE(s.draworder);
    EXPECT_EQ(s.kindmode, (std::array<int, 3>{10, 1, 0}));
    EXPECT_EQ(s.extendDirectories, 0);
    EXPECT_EQ(s.colourSlots, (std::array<ColourValue, 4>{kWhite, kYellow, kWhite, kYellow}));
}

TEST(StateFile, ThirtySevenPartsKeepTheColourAndOptionDefaults) {
    // 36 lines and the final line break: 37 parts.
    std::string text;
    for (int i = 0; i < 36; ++i) text += (i == 35 ? "255" : "1") + std::string("\r\n");
    test::TempDir dir;
    Settings s;
    s.include4b4a = true;
    ASSERT_TRUE(loaddata(dir.write("kestrel.dat", text), s));
    EXPECT_EQ(s.colourSlots[0], kWhite);
    EXPECT_TRUE(s.include4b4a);
    EXPECT_FALSE(s.variousIcons);
}

TEST(StateFile, CodepageBelow800Becomes1252) {
    for (const auto& [line, expected] : std::vector<std::pair<std::string, std::string>>{
             {"437", "1252"}, {"1250", "1250"}, {"", "1252"}}) {
        auto lines = lineDefaults(41);
        lines[11] = line;
        test::TempDir dir;
        Settings s;
        ASSERT_TRUE(loaddata(dir.write("kestrel.dat", fileOf(lines)), s));
        EXPECT_EQ(s.codepage.text(), expected) << line;
    }
}

TEST(StateFile, DumpflagReadsWordsAndNumbers) {
    for (const auto& [line, on] : std::vector<std::pair<std::string, bool>>{{"True", true},
                                                                            {"False", false},
                                                                            {"true", true},
                                                                            {"1", true},
                                                                            {"-1", true},
                                                                            {"0", false},
                                                                            {"", false}}) {
        auto lines = lineDefaults(41);
        lines[9] = line;
        test::TempDir dir;
        Settings s;
        ASSERT_TRUE(loaddata(dir.write("kestrel.dat", fileOf(lines)), s));
        EXPECT_EQ(s.dumpflag, on) << line;
    }
}

TEST(StateFile, KindSelectionIsNormalisedAndOptionsNeedOne) {
    auto lines = lineDefaults(41);
    lines[32] = "1.0";
    lines[33] = "0";
    lines[34] = "";
    lines[39] = "2";
    lines[40] = "0";
    test::TempDir dir;
    Settings s;
    ASSERT_TRUE(loaddata(dir.write("kestrel.dat", fileOf(lines)), s));
    EXPECT_EQ(s.kindsel, (std::array<bool, 3>{true, false, false}));
    EXPECT_FALSE(s.variousIcons);
    EXPECT_FALSE(s.include4b4a);
}

TEST(StateFile, HostileNumbersAreRangeCheckedBeforeTheyAreConverted) {
    // The same line as a kind selection (32), a style mode (19), a POI width (17) and a colour
    // (35); a number that does not fit keeps the value (true, 10, 16, white).
    struct Case {
        std::string line;
        bool kind;
        int mode;
        int width;
        ColourValue colour;
    };
    constexpr int kMaxInt = std::numeric_limits<int>::max();
    for (const Case& c : std::vector<Case>{
             {"1e19", true, 10, kMaxInt, kWhite},
             {"-1e400", true, 10, 16, kWhite},
             {"1e400", true, 10, 16, kWhite},
             {"99999999999999999999", true, 10, kMaxInt, kWhite},
             {"2147483648", false, 10, kMaxInt, kWhite},
             {"-2147483649", false, 10, 0, kWhite},
             {"nan", false, 10, 0, kWhite},
             {"inf", false, 10, 0, kWhite},
             {"  7  ", false, 7, 7, 7},
             {"1.9", true, 10, 2, kWhite},
             {"12.5", false, 10, 12, kWhite},
             {"", false, 10, 0, kWhite},
         }) {
        auto lines = lineDefaults(41);
        lines[32] = lines[19] = lines[17] = lines[35] = c.line;
        test::TempDir dir;
        Settings s;
        ASSERT_TRUE(loaddata(dir.write("kestrel.dat", fileOf(lines)), s));
        EXPECT_EQ(s.kindsel[0], c.kind) << c.line;
        EXPECT_EQ(s.kindmode[0], c.mode) << c.line;
        EXPECT_EQ(s.poiWidths.poi, c.width) << c.line;
        EXPECT_EQ(s.colourSlots[0], c.colour) << c.line;
    }
}

TEST(StateFile, OlderFileWithoutUpdateLinesKeepsBuiltInAddresses) {
    auto lines = lineDefaults(41);
    lines[35] = "0";
    test::TempDir dir;
    Settings s;
    ASSERT_TRUE(loaddata(dir.write("kestrel.dat", fileOf(lines)), s));
    EXPECT_EQ(s.colourSlots[0], 0); // black, as written
    EXPECT_EQ(s.updatePageUrl, "");
    EXPECT_EQ(s.downloadUrl, "");
}

TEST(StateFile, FailedWriteLeavesThePreviousFile) {
    test::TempDir dir;
    const std::string path = dir.write("kestrel.dat", "previous");
    std::filesystem::create_directory(path + ".kestrel-new");
    EXPECT_FALSE(savedata(path, Settings{}));
    EXPECT_EQ(readFile(path).value_or(""), "previous");
}

} // namespace
} // namespace kestrel
