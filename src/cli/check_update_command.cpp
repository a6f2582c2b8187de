// `kestrel-cli check-update`: compares the running version with the published one.
#include <cstdio>
#include <memory>

#include "app/session.h"
#include "cli/cli_ui.h"
#include "cli/commands.h"
#include "cli/messages.h"
#include "update/update_check.h"

namespace kestrel::cli {
namespace {

int checkUpdate(const std::string& url, bool quiet) {
    CliUiPort ui(quiet);
    const UpdateOutcome outcome = kestrel::checkUpdate(url, kVersion, ui);
    if (const auto* failed = std::get_if<CouldNotCheck>(&outcome)) {
        printError(couldNotCheck(failed->reason));
        return kFailed;
    }
    if (const auto* update = std::get_if<UpdateAvailable>(&outcome))
        printLine(stdout, updateAvailable(update->version));
    else
        printLine(stdout, kUpToDate);
    return kDone;
}

} // namespace

Command checkUpdateCommand(CLI::App& cli, CommonOptions& common) {
    struct Options {
        std::string url{kDefaultUpdatePageUrl};
    };
    auto o = std::make_shared<Options>();
    CLI::App* app = cli.add_subcommand("check-update", std::string(kCheckUpdateAbout));
    app->add_option("--url", o->url, std::string(kUrlOption))->type_name("URL");
    addCommonOptions(*app, common);
    app->footer(std::string(kCheckUpdateFooter));
    return {app, [o, &common] { return checkUpdate(o->url, common.quiet); }};
}

} // namespace kestrel::cli
