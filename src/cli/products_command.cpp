// `kestrel-cli products`: lists the installed map products the selection window offers, in its
// order: name, family ID, where it was found, and its folder.
#include <memory>
#include <string>

#include "base/text.h"
#include "cli/cli_ui.h"
#include "cli/commands.h"
#include "cli/json_text.h"
#include "cli/messages.h"
#include "cli/output.h"
#include "installed/product_scan.h"

namespace kestrel::cli {
namespace {

std::string familyText(const installed::InstalledProduct& p, const char* none) {
    return p.familyId ? std::to_string(*p.familyId) : std::string(none);
}

int products(bool json, bool quiet) {
    CliUiPort ui(quiet);
    const auto found =
        installed::scanInstalledProducts(installed::ProductEnvironment::fromProcess(), ui);
    std::string out;
    if (json) {
        out = "[";
        for (std::size_t i = 0; i < found.size(); ++i) {
            const auto& p = found[i];
            out += std::string(i ? ",\n " : "\n ") +
                   "{\"name\": " + jsonString(p.name, HighBytes::Utf8WhenValid) +
                   ", \"folder\": " + jsonString(p.folder, HighBytes::Utf8WhenValid) +
                   ", \"family_id\": " + familyText(p, "null") + ", \"source\": \"" +
                   std::string(installed::sourceName(p.source)) + "\"}";
        }
        out += found.empty() ? "]\n" : "\n]\n";
    } else {
        for (const auto& p : found)
            out += escapeControls(p.name) + "\t" + familyText(p, "-") + "\t" +
                   std::string(installed::sourceName(p.source)) + "\t" + escapeControls(p.folder) +
                   "\n";
        if (found.empty()) ui.note(kNoProducts);
    }
    return writeStdout(out) ? kDone : kFailed;
}

} // namespace

Command productsCommand(CLI::App& cli, CommonOptions& common) {
    struct Options {
        bool json = false;
    };
    auto o = std::make_shared<Options>();
    CLI::App* app = cli.add_subcommand("products", std::string(kProductsAbout));
    app->add_flag("--json", o->json, std::string(kJsonOption));
    addCommonOptions(*app, common);
    return {app, [o, &common] { return products(o->json, common.quiet); }};
}

} // namespace kestrel::cli
