#include <cstdio>

#include "app/session.h"
#include "cli/cli_ui.h"
#include "cli/commands.h"
#include "cli/messages.h"
#include "update/update_check.h"

namespace kestrel::cli {

int checkUpdateCommand(const Args& args) {
    std::string url(kDefaultUpdatePageUrl);
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--url" && i + 1 < args.size()) {
            url = args[++i];
        } else {
            printLine(stderr, unexpectedArgument(args[i]));
            return 2;
        }
    }
    CliUiPort ui;
    const UpdateOutcome outcome = checkUpdate(url, kVersion, ui);
    if (const auto* failed = std::get_if<CouldNotCheck>(&outcome)) {
        printLine(stderr, couldNotCheck(failed->reason));
        return 1;
    }
    if (const auto* update = std::get_if<UpdateAvailable>(&outcome))
        printLine(stdout, updateAvailable(update->version));
    else
        printLine(stdout, kUpToDate);
    return 0;
}

} // namespace kestrel::cli
