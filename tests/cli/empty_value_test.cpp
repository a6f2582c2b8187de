// Every option of every command given an empty value is refused before anything is read or
// written. The commands and their options come from the program's own help, so that a command
// or option added later is covered without a change here.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "base/files.h"
#include "base/text.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

namespace kestrel::test {
namespace {

std::vector<std::string> helpLines(const std::string& command) {
    return split(runCli(words(command + " --help")).out, "\n");
}

// The commands the program's help lists, and "" for the program itself.
std::vector<std::string> commands() {
    std::vector<std::string> names{""};
    bool listed = false;
    for (const std::string& line : helpLines("")) {
        if (listed && startsWith(line, "  ")) names.push_back(words(line).front());
        listed = (listed && !line.empty()) || line == "Commands:";
    }
    return names;
}

// Each name of each option that takes a value: its help line shows the value's name in capitals
// after the option's names ("  -o,--output FILE REQUIRED   ...").
std::vector<std::string> valueOptions(const std::string& command) {
    std::vector<std::string> names;
    for (const std::string& line : helpLines(command)) {
        if (!startsWith(line, "  -")) continue;
        const std::vector<std::string> w = words(line);
        const bool value =
            w.size() > 1 && w[1] != "REQUIRED" &&
            w[1].find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ") == std::string::npos;
        if (value)
            for (const std::string& name : split(w[0], ",")) names.push_back(name);
    }
    return names;
}

TEST(EmptyValue, EveryOptionOfEveryCommandRefusesOneAndTouchesNothing) {
    TempDir dir;
    const std::string map = readFile(std::string(KESTREL_BIN_DIR) + "/test.img").value_or("");
    ASSERT_FALSE(map.empty());
    std::set<std::string> tried;
    for (const std::string& command : commands()) {
        for (const std::string& option : valueOptions(command)) {
            std::vector<std::vector<std::string>> forms{{option, ""}};
            if (startsWith(option, "--")) forms.push_back({option + "="});
            for (const std::vector<std::string>& form : forms) {
                SCOPED_TRACE(command + " " + join(form, " ") + "|");
                tried.insert(command + " " + option);
                dir.write("a.img", map);
                dir.write("b.img", map);
                const ProgramRun r =
                    runCli(words(command) + form + words("a.img b.img"), {}, dir.path());
                EXPECT_EQ(r.status, 2);
                EXPECT_EQ(r.err,
                          concat({"kestrel-cli: ", option, ": must not be empty\nkestrel-cli: see ",
                                  join(words("kestrel-cli " + command + " --help"), " "), "\n"}));
                EXPECT_EQ(readFile(dir.file("a.img")), map);
                EXPECT_EQ(readFile(dir.file("b.img")), map);
                namespace fs = std::filesystem;
                EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 2);
            }
        }
    }
    // The help was read as meant: options of commands that write files are among those tried.
    for (const char* known :
         {"typ -o", "typ --output", "typ --state", "scan --data", "gen --start", "compile --fid",
          "compile -o", "decompile --output", "map-typ --extract", "put-typ -o"})
        EXPECT_TRUE(tried.count(known)) << known;
}

} // namespace
} // namespace kestrel::test
