// `kestrel-cli`: the commands of the desktop program for a terminal.
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "app/session.h"
#include "base/platform/platform.h"
#include "base/text.h"
#include "cli/cli_ui.h"
#include "cli/commands.h"
#include "cli/messages.h"
#include "cli/output.h"

namespace {

using namespace kestrel;

std::string versionText() {
    char digits[16];
    const auto r = std::to_chars(digits, digits + sizeof digits, kVersion);
    return concat(
        {"kestrel-cli ", std::string_view(digits, static_cast<std::size_t>(r.ptr - digits))});
}

// The command being parsed when the arguments were refused, for the hint to its help.
std::string commandOf(const CLI::App& cli) {
    for (const CLI::App* c : cli.get_subcommands()) return c->get_name();
    return {};
}

} // namespace

int main(int argc, char** argv) {
    // Every output is the same bytes on every system: LF line ends, binary TYPs on stdout intact.
    platform::binaryStandardStreams();
    std::vector<std::string> args = platform::programArguments(argc, argv);
    CLI::App cli(std::string(kProgramAbout), "kestrel-cli");
    cli.set_help_flag("-h,--help", std::string(kHelpOption));
    cli.set_version_flag("--version", versionText(), std::string(kVersionOption));
    cli.require_subcommand(1);
    // Options are -x and --name on every system: a map named /maps/x.img is a map, not an option.
    cli.allow_windows_style_options(false);
    for (const auto& [clis, ours] : kHelpLabels) cli.get_formatter()->label(clis, ours);
    cli::CommonOptions common;
    common.arguments = args;
    addCommonOptions(cli, common);
    const cli::Command commands[] = {
        cli::scanCommand(cli, common),       cli::typCommand(cli, common),
        cli::compileCommand(cli, common),    cli::decompileCommand(cli, common),
        cli::mapTypCommand(cli, common),     cli::putTypCommand(cli, common),
        cli::productsCommand(cli, common),   cli::genCommand(cli, common),
        cli::legendCommand(cli, common),     cli::renderCommand(cli, common),
        cli::checkUpdateCommand(cli, common)};
    for (const cli::Command& c : commands) c.app->group("Commands");
    // The command is the first argument that is not a global option.
    const auto named = std::find_if(args.begin() + 1, args.end(), [&](const std::string& a) {
        return !startsWith(a, "-") || !cli.get_option_no_throw(a);
    });
    if (named != args.end() && !startsWith(*named, "-") &&
        std::none_of(std::begin(commands), std::end(commands),
                     [&](const cli::Command& c) { return c.app->get_name() == *named; })) {
        printError(unknownCommand(*named));
        return cli::kUsage;
    }
    if (const auto empty = cli::emptyValue(cli, {args.begin() + 1, args.end()})) {
        printError(emptyOptionValue(empty->option));
        printError(seeHelp(empty->command));
        return cli::kUsage;
    }
    // CLI11 takes the arguments last first, without the program's name.
    std::reverse(args.begin(), args.end());
    args.pop_back();
    try {
        cli.parse(std::move(args));
    } catch (const CLI::Success& e) {
        std::ostringstream help;
        const int status = cli.exit(e, help, help);
        return cli::writeStdout(help.str()) ? status : cli::kFailed;
    } catch (const CLI::ParseError& e) {
        const bool noCommand = cli.get_subcommands().empty() && e.get_name() == "RequiredError";
        if (noCommand && !cli.remaining().empty())
            printError(CLI::ExtrasError(cli.remaining()).what());
        else
            printError(noCommand ? std::string(kCommandMissing) : std::string(e.what()));
        printError(seeHelp(commandOf(cli)));
        return cli::kUsage;
    }
    for (const cli::Command& c : commands) {
        if (!c.app->parsed()) continue;
        const int status = c.run();
        // Whatever the command left in stdout's buffer is written now, or the failure said.
        return cli::writeStdout({}) ? status : cli::kFailed;
    }
    return cli::kUsage;
}
