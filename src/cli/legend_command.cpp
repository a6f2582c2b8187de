// `kestrel-cli legend`: the legend sheet of a TYP (a text, a binary TYP, or the TYP inside a map)
// as a PNG, an SVG or an HTML page; beside a map with --map.
#include "cli/legend_command.h"

#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/messages.h"

namespace kestrel::cli {

Command legendCommand(CLI::App& cli, CommonOptions& common) {
    auto o = std::make_shared<LegendOptions>();
    CLI::App* app = cli.add_subcommand("legend", std::string(kLegendAbout));
    app->add_option("INPUT", o->in, std::string(kLegendInputOption))->required()->type_name("");
    app->add_option("-o,--output", o->out, std::string(kLegendOutputOption))
        ->required()
        ->type_name("FILE");
    app->add_option("--map", o->map, std::string(kLegendMapOption))->type_name("MAP");
    app->add_option("--format", o->format, std::string(kLegendFormatOption))
        ->type_name("FORMAT")
        ->check(CLI::IsMember({"png", "svg", "html"}));
    app->add_flag("--force", o->force, std::string(kTypForceOption));
    addCommonOptions(*app, common);
    app->footer(std::string(kLegendFooter));
    return {app, [o, &common] { return runLegend(*o, common); }};
}

} // namespace kestrel::cli
