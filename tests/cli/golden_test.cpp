// `kestrel-cli` run as a program on each row of tests/data/golden/cases.txt, in an empty working
// folder; what it prints and writes is compared byte for byte with the golden files beside that
// list: NAME.log holds standard output, standard error and the exit status, NAME.FILE each file
// the row leaves in its working folder. KESTREL_UPDATE_GOLDEN=1 writes the golden files instead
// (not under CI).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "base/files.h"
#include "base/text.h"
#include "support/golden_file.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

namespace kestrel::test {
namespace {

namespace fs = std::filesystem;

const std::string kGolden = KESTREL_GOLDEN_DIR;

struct Row {
    std::string name, command;
};
void PrintTo(const Row& row, std::ostream* out) {
    *out << row.name;
}

// "NAME COMMAND" lines; blank lines and lines starting with # are comments.
std::vector<Row> rows() {
    std::vector<Row> r;
    std::istringstream list(readFile(kGolden + "/cases.txt").value_or(""));
    for (std::string line; std::getline(list, line);) {
        if (line.empty() || line[0] == '#') continue;
        const auto gap = line.find(' ');
        r.push_back({line.substr(0, gap), trim(line.substr(gap + 1))});
    }
    return r;
}

// A character device for rows that a device must refuse. Root could replace the system's
// /dev/null should the refusal fail, so root gets a null device of its own; others cannot.
std::string nullDevice(const TempDir& dir) {
    if (geteuid() != 0) return "/dev/null";
    const std::string node = dir.file("null");
    return mknod(node.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0 ? node : "";
}

// The placeholders of the list and what they stand for; outputs show them again.
std::vector<std::pair<std::string, std::string>> places(const std::string& dir,
                                                        const std::string& device) {
    return {{"{cli}", std::string(KESTREL_BIN_DIR) + "/kestrel-cli"},
            {"{bin}", KESTREL_BIN_DIR},
            {"{maps}", fixtureDir() + "/maps"},
            {"{shared}", sharedFixtureDir()},
            {"{golden}", kGolden},
            {"{dir}", dir},
            {"{device}", device}}; // empty for the rows without one
}

class Golden : public ::testing::TestWithParam<Row> {};

TEST_P(Golden, OutputsAreTheGoldenFiles) {
    const Row& row = GetParam();
    if (contains(row.command, "{shared}") && !fs::exists(sharedFixtureDir()))
        GTEST_SKIP() << "no shared fixtures";
    TempDir dir;
    const std::string device = contains(row.command, "{device}") ? nullDevice(dir) : "";
    if (device.empty() && contains(row.command, "{device}")) GTEST_SKIP() << "no device node";
    const std::string work = dir.file("work");
    fs::create_directory(work);
    std::string command = row.command;
    for (const auto& [key, value] : places(work, device)) command = replaceAll(command, key, value);
    const ProgramRun run = runProgram({"/bin/sh", "-c", command},
                                      {{"HOME", work}, {"SOURCE_DATE_EPOCH", "1796479629"}}, work);

    std::string log =
        concat({run.out, "--- stderr\n", run.err, "--- exit ", std::to_string(run.status), "\n"});
    for (const auto& [key, value] : places(work, device)) log = replaceAll(log, value, key);
    std::map<std::string, std::string> outputs{{"log", log}};
    for (const auto& e : fs::directory_iterator(work))
        outputs[e.path().filename().string()] = readFile(e.path().string()).value_or("<folder>");

    std::set<std::string> golden;
    for (const auto& e : fs::directory_iterator(kGolden)) {
        const std::string file = e.path().filename().string();
        if (startsWith(file, row.name + ".")) golden.insert(file.substr(row.name.size() + 1));
    }
    // Files the row no longer writes go when the golden files are rewritten.
    std::set<std::string> written;
    for (const auto& [suffix, bytes] : outputs) written.insert(suffix);
    const bool update = updatingGolden();
    if (update)
        for (const std::string& stale : golden)
            if (!written.count(stale)) removeFile(kGolden + "/" + row.name + "." + stale);
    for (const auto& [suffix, bytes] : outputs) expectGoldenFile(row.name + "." + suffix, bytes);
    if (!update) {
        EXPECT_EQ(written, golden) << "files written by " << row.command;
    }
}

INSTANTIATE_TEST_SUITE_P(Cli, Golden, ::testing::ValuesIn(rows()),
                         [](const auto& info) { return info.param.name; });

// Under CI the golden files are only compared: a rewrite would pass whatever the program printed.
TEST(GoldenUpdate, IsRefusedUnderCi) {
    const ProgramRun run =
        runProgram({std::string(KESTREL_BIN_DIR) + "/kestrel_core_tests",
                    "--gtest_filter=Cli/Golden.OutputsAreTheGoldenFiles/version"},
                   {{"KESTREL_UPDATE_GOLDEN", "1"}, {"CI", "true"}});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(contains(run.out, "KESTREL_UPDATE_GOLDEN is refused under CI")) << run.out;
}

} // namespace
} // namespace kestrel::test
