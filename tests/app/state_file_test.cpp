#include "app/state_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <limits>

#include "base/files.h"
#include "base/text.h"
#include "support/temp_dir.h"

namespace kestrel {
namespace {

// The file written for the default settings with a TYP file and a recent map.
const std::string kDefaultsFile = std::string(KESTREL_GOLDEN_DIR) + "/state_defaults.dat";

Settings defaults() {
    Settings s;
    s.typfile = "/t/untitled.txt";
    s.recent[0] = "/app/test.img";
    return s;
}

std::string written(const Settings& s) {
    test::TempDir dir;
    EXPECT_TRUE(savedata(dir.file("kestrel.dat"), s));
    return readFile(dir.file("kestrel.dat")).value_or("");
}

Settings loaded(const std::string& text, Settings s = {}) {
    test::TempDir dir;
    EXPECT_TRUE(loaddata(dir.write("kestrel.dat", text), s));
    return s;
}

// The lines of the file (numbered from 0), each followed by CR LF, and the final line break.
std::vector<std::string> linesOf(const std::string& file) {
    auto lines = split(file, kCrLf);
    lines.resize(lines.size() - 2);
    return lines;
}
std::string fileOf(const std::vector<std::string>& lines) {
    return concat({join(lines, kCrLf), kCrLf, kCrLf});
}

TEST(StateFile, WritesEveryLineInOrderAndReadsEveryValueBack) {
    EXPECT_EQ(written(defaults()), readFile(kDefaultsFile).value_or("<missing>"));
    // A file with every line off its default: each value read back is written again as it was.
    const std::string file =
        readFile(std::string(KESTREL_GOLDEN_DIR) + "/state_all_set.dat").value_or("");
    EXPECT_EQ(written(loaded(file)), file);
}

// A line that cannot be read keeps its default; what was read is written in the program's form.
TEST(StateFile, EachLineIsReadAsTheProgramWritesIt) {
    const struct {
        std::size_t line;
        const char *text, *written;
    } cases[] = {
        {9, "True", "True"},    {9, "true", "True"},
        {9, "1", "True"},       {9, "-1", "True"},
        {9, "0", "False"},      {9, "", "False"},
        {11, "437", "1252"},    {11, "1250", "1250"},
        {11, "", "1252"},       {16, "", "1"},
        {16, "0", "0"},         {19, "abc", "10"},
        {20, "", "1"},          {21, "0", "0"},
        {29, "x", "0"},         {32, "1.0", "1"},
        {33, "0", "0"},         {34, "", "0"},
        {35, "", "16777215"},   {36, "red", "65535"},
        {37, "-5", "16777215"}, {38, "99999999", "65535"},
        {35, "0", "0"},         {39, "2", "0"},
        {39, "1", "1"},         {40, "0", "0"},
        {43, "1", "1"},         {43, "x", "0"},
    };
    const auto base = linesOf(readFile(kDefaultsFile).value_or(""));
    for (const auto& c : cases) {
        auto lines = base;
        lines.at(c.line) = c.text;
        auto expected = base;
        expected[c.line] = c.written;
        EXPECT_EQ(linesOf(written(loaded(fileOf(lines)))), expected) << c.line << " " << c.text;
    }
}

TEST(StateFile, HostileNumbersAreRangeCheckedBeforeTheyAreConverted) {
    // The same text as a kind selection (32), a style mode (19), a POI width (17) and a colour
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
        std::vector<std::string> lines(41);
        lines[32] = lines[19] = lines[17] = lines[35] = c.line;
        const Settings s = loaded(fileOf(lines));
        EXPECT_EQ(s.kindsel[0], c.kind) << c.line;
        EXPECT_EQ(s.kindmode[0], c.mode) << c.line;
        EXPECT_EQ(s.poiWidths.poi, c.width) << c.line;
        EXPECT_EQ(s.colourSlots[0], c.colour) << c.line;
    }
}

TEST(StateFile, MissingOrShortFilesKeepTheDefaultsOfMissingLines) {
    Settings missing = defaults();
    EXPECT_FALSE(loaddata("/nonexistent/kestrel.dat", missing));
    EXPECT_EQ(written(missing), readFile(kDefaultsFile).value_or(""));
    const Settings s = loaded("111\r\n\r\n\r\n/maps\r\n");
    EXPECT_EQ(s.lastdir, "/maps");
    EXPECT_EQ(s.codepage.text(), "1252");
    EXPECT_EQ(s.kindmode, (std::array<int, 3>{10, 1, 10}));
    EXPECT_TRUE(s.draworder);
    EXPECT_TRUE(s.include4b4a);
    EXPECT_FALSE(s.completeScan);
    EXPECT_EQ(s.colourSlots, (std::array<ColourValue, 4>{kWhite, kYellow, kWhite, kYellow}));
    // 36 lines and the final line break (37 parts) keep the colour and option defaults.
    std::vector<std::string> lines(36, "1");
    lines[35] = "255";
    Settings on;
    on.include4b4a = true;
    on = loaded(concat({join(lines, kCrLf), kCrLf}), on);
    EXPECT_EQ(on.colourSlots[0], kWhite);
    EXPECT_TRUE(on.include4b4a);
    EXPECT_FALSE(on.variousIcons);
}

TEST(StateFile, FailedWriteLeavesThePreviousFile) {
    test::TempDir dir;
    const std::string path = dir.write("kestrel.dat", "previous");
    std::filesystem::create_directory(path + ".kestrel-new");
    EXPECT_FALSE(savedata(path, Settings{}));
    EXPECT_EQ(readFile(path).value_or(""), "previous");
}

// What --state accepts: a state file, not a device's zeros, binary bytes or a short text.
TEST(StateFile, OnlyTextOfEnoughLinesIsAStateFile) {
    EXPECT_TRUE(isStateText(readFile(kDefaultsFile).value_or("")));
    EXPECT_TRUE(isStateText(written(defaults())));
    EXPECT_FALSE(isStateText(std::string(4096, '\0')));
    EXPECT_FALSE(isStateText(replaceAll(written(defaults()), "untitled", "unti\x1Btled")));
    EXPECT_FALSE(isStateText("1\r\n2\r\n3\r\n"));
}

// The README names the lines of the update pages as an editor counts them, from 1.
TEST(StateFile, ReadmeNamesTheUpdatePageLinesAsAnEditorCounts) {
    Settings s = defaults();
    s.updatePageUrl = "http://version.test/";
    s.downloadUrl = "http://download.test/";
    const std::vector<std::string> lines = split(written(s), kCrLf);
    const auto lineOf = [&](const std::string& text) {
        return std::to_string(std::find(lines.begin(), lines.end(), text) - lines.begin() + 1);
    };
    const std::string readme =
        readFile(std::string(KESTREL_GOLDEN_DIR) + "/../../../README.md").value_or("");
    EXPECT_TRUE(contains(
        readme, concat({"(lines ", lineOf(s.updatePageUrl), " and ", lineOf(s.downloadUrl), ","})));
}

} // namespace
} // namespace kestrel
