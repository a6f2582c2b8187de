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

// Where the texts differ first, by line.
std::string firstDifference(const std::string& expected, const std::string& actual) {
    const auto a = split(expected, "\n"), b = split(actual, "\n");
    for (std::size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
        const std::string x = i < a.size() ? a[i] : "<end>", y = i < b.size() ? b[i] : "<end>";
        if (x != y)
            return concat({"line ", std::to_string(i + 1), ": expected\n", x, "\nactual\n", y});
    }
    return {};
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
    const ProgramRun run = runShell(
        concat({"export HOME='", work, "' SOURCE_DATE_EPOCH=1796479629; cd '", work, "' && (",
                command, ") >'", dir.file("out"), "' 2>'", dir.file("err"), "'"}));

    std::string log =
        concat({readTextIfPresent(dir.file("out")), "--- stderr\n",
                readTextIfPresent(dir.file("err")), "--- exit ", std::to_string(run.status), "\n"});
    for (const auto& [key, value] : places(work)) log = replaceAll(log, value, key);
    std::map<std::string, std::string> outputs{{"log", log}};
    for (const auto& e : fs::directory_iterator(work))
        outputs[e.path().filename().string()] = readFile(e.path().string()).value_or("<folder>");

    std::set<std::string> golden;
    for (const auto& e : fs::directory_iterator(kGolden)) {
        const std::string file = e.path().filename().string();
        if (startsWith(file, row.name + ".")) golden.insert(file.substr(row.name.size() + 1));
    }
    if (std::getenv("KESTREL_UPDATE_GOLDEN") != nullptr) {
        for (const std::string& stale : golden) removeFile(kGolden + "/" + row.name + "." + stale);
        for (const auto& [suffix, bytes] : outputs)
            ASSERT_TRUE(writeFileAtomic(kGolden + "/" + row.name + "." + suffix, bytes));
        return;
    }
    std::set<std::string> written;
    for (const auto& [suffix, bytes] : outputs) {
        written.insert(suffix);
        const std::string expected = readFile(kGolden + "/" + row.name + "." + suffix).value_or("");
        EXPECT_TRUE(expected == bytes)
            << row.name << "." << suffix << " differs at " << firstDifference(expected, bytes);
    }
    EXPECT_EQ(written, golden) << "files written by " << row.command;
}

INSTANTIATE_TEST_SUITE_P(Cli, Golden, ::testing::ValuesIn(rows()),
                         [](const auto& info) { return info.param.name; });

} // namespace
} // namespace kestrel::test
