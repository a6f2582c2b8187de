#include "support/run_program.h"

#include <cstdio>
#include <sys/wait.h>

namespace kestrel::test {

ProgramRun runShell(const std::string& commandLine) {
    ProgramRun r;
    std::FILE* p = ::popen(commandLine.c_str(), "r");
    if (!p) return r;
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) r.out.append(buf, n);
    const int st = ::pclose(p);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return r;
}

std::string cliCommand(const std::string& args) {
    return "'" + std::string(KESTREL_BIN_DIR) + "/kestrel-cli' " + args;
}

} // namespace kestrel::test
