#include <cstdio>

#include "app/session.h"
#include "cli/cli_ui.h"
#include "cli/commands.h"
#include "update/update_check.h"

namespace kestrel::cli {

int checkUpdateCommand(const Args& args) {
    std::string url(kDefaultUpdatePageUrl);
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--url" && i + 1 < args.size()) {
            url = args[++i];
        } else {
            std::fprintf(stderr, "check-update: unexpected argument: %s\n", args[i].c_str());
            return 2;
        }
    }
    CliUiPort ui;
    const UpdateOutcome outcome = checkUpdate(url, kVersion, ui);
    if (const auto* failed = std::get_if<CouldNotCheck>(&outcome)) {
        std::fprintf(stderr, "kestrel-cli: could not check: %s\n", failed->reason.c_str());
        return 1;
    }
    if (const auto* update = std::get_if<UpdateAvailable>(&outcome))
        std::printf("update available: %s\n", update->version.c_str());
    else
        std::puts("up to date");
    return 0;
}

} // namespace kestrel::cli
