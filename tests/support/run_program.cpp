#include "support/run_program.h"

#include <algorithm>

namespace kestrel::test {

ProgramRun runCli(const std::vector<std::string>& args, const Environment& env,
                  const std::string& workdir) {
    return runProgram(std::vector<std::string>{KESTREL_CLI_PROGRAM} + args, env, workdir);
}

std::vector<std::string> words(std::string_view text) {
    std::vector<std::string> w;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t end = std::min(text.find(' ', pos), text.size());
        if (end > pos) w.emplace_back(text.substr(pos, end - pos));
        pos = end + 1;
    }
    return w;
}

std::vector<std::string> operator+(std::vector<std::string> args,
                                   const std::vector<std::string>& more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

} // namespace kestrel::test
