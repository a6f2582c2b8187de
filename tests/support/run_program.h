#pragma once
// Runs a program from an argument list, never through a shell, and collects what it prints, for
// the tests that drive `kestrel-cli` as a program. run_program_posix.cpp and run_program_win32.cpp
// start it the system's own way.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kestrel::test {

struct ProgramRun {
    int status = -1; // exit status; -1 when the program did not start or did not exit normally
    std::string out; // standard output
    std::string err; // standard error
};

// Variables set for the program on top of the tests' own environment (an empty value stays set).
using Environment = std::vector<std::pair<std::string, std::string>>;

// Runs argv[0] (a path, or a name looked up in PATH) with the rest as its arguments, in
// `workdir` (empty: the tests' own), with standard input empty.
ProgramRun runProgram(const std::vector<std::string>& argv, const Environment& env = {},
                      const std::string& workdir = {});

// The built `kestrel-cli`, run with the arguments.
ProgramRun runCli(const std::vector<std::string>& args, const Environment& env = {},
                  const std::string& workdir = {});

// The words of a text of options separated by single blanks ("--start 2f --count 2").
std::vector<std::string> words(std::string_view text);

// `args` followed by `more`.
std::vector<std::string> operator+(std::vector<std::string> args,
                                   const std::vector<std::string>& more);

} // namespace kestrel::test
