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
    std::puts(checkUpdate(url, kVersion, ui).c_str());
    return 0;
}

} // namespace kestrel::cli
