// `kestrel-cli` run as a program on each row of tests/data/golden/cases.txt, in an empty working
// folder; what it prints and writes is compared byte for byte with the golden files beside that
// list: NAME.log holds standard output, standard error and the exit status, NAME.FILE each file
// the row leaves in its working folder. KESTREL_UPDATE_GOLDEN=1 writes the golden files instead.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>

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

// The placeholders of the list and what they stand for; outputs show them again.
std::vector<std::pair<std::string, std::string>> places(const std::string& dir) {
    return {{"{cli}", std::string(KESTREL_BIN_DIR) + "/kestrel-cli"},
            {"{bin}", KESTREL_BIN_DIR},
            {"{maps}", fixtureDir() + "/maps"},
            {"{shared}", sharedFixtureDir()},
            {"{golden}", kGolden},
            {"{dir}", dir}};
}

class Golden : public ::testing::TestWithParam<Row> {};

TEST_P(Golden, OutputsAreTheGoldenFiles) {
    const Row& row = GetParam();
    if (contains(row.command, "{shared}") && !fs::exists(sharedFixtureDir()))
        GTEST_SKIP() << "no shared fixtures";
    TempDir dir;
    const std::string work = dir.file("work");
    fs::create_directory(work);
    std::string command = row.command;
    for (const auto& [key, value] : places(work)) command = replaceAll(command, key, value);
    const ProgramRun run = runProgram({"/bin/sh", "-c", command},
                                      {{"HOME", work}, {"SOURCE_DATE_EPOCH", "1796479629"}}, work);

    std::string log =
        concat({run.out, "--- stderr\n", run.err, "--- exit ", std::to_string(run.status), "\n"});
    for (const auto& [key, value] : places(work)) log = replaceAll(log, value, key);
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
    const bool update = std::getenv("KESTREL_UPDATE_GOLDEN") != nullptr;
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

} // namespace
} // namespace kestrel::test
