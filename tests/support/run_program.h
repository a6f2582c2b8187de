#pragma once
// Runs a program the way a user's shell would and collects what it prints, for the tests that
// drive `kestrel-cli` as a program.
#include <string>

namespace kestrel::test {

struct ProgramRun {
    int status = -1; // exit status; -1 when the program did not exit normally
    std::string out; // standard output (the command line decides where stderr goes)
};

ProgramRun runShell(const std::string& commandLine);

// "<build>/bin/kestrel-cli" quoted, followed by the arguments.
std::string cliCommand(const std::string& args);

} // namespace kestrel::test
