// `kestrel-cli gen` run as a program: golden files for every kind, the dialog's refusals on
// stderr with exit status 2, the overwrite rule and reproducible bytes.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "base/files.h"
#include "base/paths.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

namespace kestrel {
namespace {

constexpr const char* kEpoch = "1796479629"; // 2026-12-05 14:07:09 UTC

using test::ProgramRun;

class GenCommand : public ::testing::Test {
  protected:
    // Runs `kestrel-cli gen` + args in the temp folder, with the given SOURCE_DATE_EPOCH.
    ProgramRun gen(const std::string& args, const std::string& epoch = kEpoch) {
        return test::runCli(test::words("gen " + args), {{"SOURCE_DATE_EPOCH", epoch}}, dir.path());
    }
    std::string file(const std::string& name) { return readFile(dir.file(name)).value_or(""); }

    test::TempDir dir;
};

// The bytes of a golden file written as hexadecimal pairs.
std::string golden(const std::string& name) {
    const std::string text =
        readFile(std::string(KESTREL_CLI_TEST_DIR) + "/gen_golden_" + name + ".hex").value_or("");
    std::string bytes;
    std::string pair;
    for (const char c : text) {
        if (std::isxdigit(static_cast<unsigned char>(c)) == 0) continue;
        pair += c;
        if (pair.size() == 2) {
            bytes += static_cast<char>(std::stoi(pair, nullptr, 16));
            pair.clear();
        }
    }
    return bytes;
}

TEST_F(GenCommand, WritesTheGoldenFileOfEveryKind) {
    const struct {
        const char* name;
        const char* args;
    } cases[] = {
        {"pois", "pois --start 2f --count 2"},
        {"lines", "lines --start fe --count 4 --ignore-subtypes --line-width 7"},
        {"polygons", "polygons --start 10 --count 3 --codepage 1250"},
        {"routes", "routes --start 1 --count 3 --line-width 2"},
        {"extra", "extra-pois --start 1 --count 2 --data ."},
    };
    for (const auto& c : cases) {
        const std::string out = std::string(c.name) + ".typ";
        const ProgramRun r = gen(std::string(c.args) + " -o " + out);
        EXPECT_EQ(r.status, 0) << c.name << r.err;
        const std::string expected = golden(c.name);
        ASSERT_FALSE(expected.empty()) << c.name;
        EXPECT_EQ(file(out), expected) << c.name;
    }
}

TEST_F(GenCommand, SummaryOnStdoutAndCreatedForExtraPois) {
    const ProgramRun r = gen("extra-pois --start 1 --count 2 --data . -o e.typ");
    EXPECT_EQ(r.out, "e.typ: 2 elements, 748 bytes\n");
    EXPECT_EQ(r.err, "Created e.typ\n");
}

TEST_F(GenCommand, SameEpochGivesIdenticalFiles) {
    ASSERT_EQ(gen("extra-pois --start 100 --count 500 --data . -o a.typ").status, 0);
    ASSERT_EQ(gen("extra-pois --start 100 --count 500 --data . -o b.typ").status, 0);
    EXPECT_EQ(file("a.typ"), file("b.typ"));
    ASSERT_EQ(gen("pois --start 1 --count 5 -o c.typ", "0").status, 0);
    EXPECT_EQ(file("c.typ").substr(0x0E, 7), std::string("\xAA\x00\x01\x01\x00\x00\x00", 7));
}

TEST_F(GenCommand, RefusalsPrintTheDialogMessageAndExit2) {
    ProgramRun r = gen("lines --start 200 --count 1 -o x.typ");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "Last ID would have been ~ &200  ID's are between 1 - &1FF1F  \n");
    r = gen("polygons --start 1 --count 1801 -o x.typ");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "Max number of elements = 1800\n");
    r = gen("extra-pois --start 65535 --count 2 -o x.typ");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "Last ID would have been 65537 ID's are between 1 - 65535 \n");
    r = gen("extra-pois --start FFFF --start-hex --count 2 -o x.typ");
    EXPECT_EQ(r.err, "Last ID would have been &10001  ID's are between 1 - &FFFF  \n");
    r = gen("extra-pois --start 1 --count 8000 --count-hex -o x.typ");
    EXPECT_EQ(r.err, "8000? Maximum Extra POIs : &7FFF \n");
    EXPECT_FALSE(fileExists(dir.file("x.typ")));
}

TEST_F(GenCommand, AcceptsTheLimits) {
    EXPECT_EQ(gen("pois --start 1ff --count 32 -o p.typ").status, 0);
    EXPECT_EQ(gen("extra-pois --start 65535 --count 1 --data . -o e.typ").status, 0);
}

TEST_F(GenCommand, ExistingFileNeedsForce) {
    const std::string path = dir.write("x.typ", "old");
    ProgramRun r = gen("pois --start 1 --count 2 -o x.typ");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err,
              "TYP file exists . Overwrite this file? [No]\ngen: x.typ exists; use --force to "
              "replace it\n");
    EXPECT_EQ(file("x.typ"), "old");
    r = gen("pois --start 1 --count 2 --force -o x.typ");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(file("x.typ").size(), 91u + 2 * 75 + 2 * 5);
}

TEST_F(GenCommand, FailedWriteExits1AndSaysSo) {
    const ProgramRun r = gen("routes --start 1 --count 3 -o missing-folder/r.typ");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Could not write the TYP file missing-folder/r.typ. An existing file of "
                     "that name was left unchanged.\n");
}

TEST_F(GenCommand, UsageErrorsExit2) {
    EXPECT_EQ(gen("pois --start xyz --count 4 -o a.typ").err,
              "gen: --start \"xyz\" is not a hexadecimal number\n");
    EXPECT_EQ(gen("extra-pois --start 1A --count 4 -o a.typ").err,
              "gen: --start \"1A\" is not a decimal number\n");
    EXPECT_EQ(gen("pois --start 1 --count 0 -o a.typ").err,
              "gen: --start must not be empty and --count must be at least 1\n");
    EXPECT_EQ(gen("pois --start 1 --count 2 -o a.typ", "yesterday").err,
              "gen: SOURCE_DATE_EPOCH must be a whole number of seconds\n");
    for (const char* args :
         {"", "boats --start 1 --count 2 -o a.typ", "pois --count 2 -o a.typ",
          "pois --start 1 --count 2 -o a.typ --ignore-subtypes",
          "lines --start 1 --count 2 -o a.typ --start-hex",
          "polygons --start 1 --count 2 -o a.typ --line-width 3",
          "pois --start 1 --count 2 -o a.typ --codepage x", "pois --start 1 --count 2 -o",
          "pois --start 1 --count 2 -o a --bad"}) {
        const ProgramRun r = gen(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_NE(r.err.find("usage: kestrel-cli gen KIND"), std::string::npos) << args;
    }
    EXPECT_FALSE(fileExists(dir.file("a.typ")));
}

TEST_F(GenCommand, LineWidthOutsideTheListIsFour) {
    ASSERT_EQ(gen("lines --start 1 --count 1 --line-width 12 -o l.typ").status, 0);
    EXPECT_EQ(static_cast<unsigned char>(file("l.typ")[0x5B + 5]), 4);
}

} // namespace
} // namespace kestrel
