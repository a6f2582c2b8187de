#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "cli/cli_ui.h"
#include "cli/commands.h"
#include "cli/messages.h"

namespace {

struct Command {
    const char* name;
    int (*run)(const kestrel::cli::Args&);
    std::string_view synopsis;
};

constexpr Command kCommands[] = {
    {"scan", kestrel::cli::scan, kestrel::kScanSynopsis},
    {"typ", kestrel::cli::typ, kestrel::kTypSynopsis},
    {"products", kestrel::cli::products, kestrel::kProductsSynopsis},
    {"gen", kestrel::cli::gen, kestrel::kGenSynopsis},
    {"check-update", kestrel::cli::checkUpdateCommand, kestrel::kCheckUpdateSynopsis},
};

int usage() {
    kestrel::printLine(stderr, kestrel::kCliUsage);
    for (const auto& c : kCommands) kestrel::printLine(stderr, kestrel::synopsisLine(c.synopsis));
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    for (const auto& c : kCommands) {
        if (std::strcmp(argv[1], c.name) == 0)
            return c.run(kestrel::cli::Args(argv + 2, argv + argc));
    }
    return usage();
}
