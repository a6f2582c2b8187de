// `kestrel-cli`: the commands of the desktop program for a terminal.
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
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

// The commands by name, in the order the help lists them.
constexpr std::pair<std::string_view, cli::Command (*)(CLI::App&, cli::CommonOptions&)>
    kCommands[] = {{"scan", cli::scanCommand},
                   {"typ", cli::typCommand},
                   {"compile", cli::compileCommand},
                   {"decompile", cli::decompileCommand},
                   {"map-typ", cli::mapTypCommand},
                   {"put-typ", cli::putTypCommand},
                   {"products", cli::productsCommand},
                   {"gen", cli::genCommand},
                   {"legend", cli::legendCommand},
                   {"render", cli::renderCommand},
                   {"check-update", cli::checkUpdateCommand}};

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
    // The command is the first argument that is not a global option.
    const auto named = std::find_if(args.begin() + 1, args.end(), [&](const std::string& a) {
        return !startsWith(a, "-") || !cli.get_option_no_throw(a);
    });
    const bool word = named != args.end() && !startsWith(*named, "-");
    const auto known = std::find_if(std::begin(kCommands), std::end(kCommands),
                                    [&](const auto& c) { return word && c.first == *named; });
    if (word && known == std::end(kCommands)) {
        printError(unknownCommand(*named));
        return cli::kUsage;
    }
    // Only the command named is made (the others' options cost a noticeable part of a short
    // run); all of them where none is, for the help that lists them and the refusals.
    std::vector<cli::Command> commands;
    for (const auto& [name, make] : kCommands)
        if (known == std::end(kCommands) || name == known->first)
            commands.push_back(make(cli, common));
    for (const cli::Command& c : commands) c.app->group("Commands");
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
