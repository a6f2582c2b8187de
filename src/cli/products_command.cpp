// `kestrel-cli products`: lists the installed map products the selection window offers, in its
// order: name, family ID, where it was found, and its folder.
#include <cstdio>
#include <string>

#include "cli/cli_ui.h"
#include "cli/commands.h"
#include "cli/json_text.h"
#include "cli/messages.h"
#include "installed/product_scan.h"

namespace kestrel::cli {
namespace {

std::string familyText(const installed::InstalledProduct& p, const char* none) {
    return p.familyId ? std::to_string(*p.familyId) : std::string(none);
}

} // namespace

int products(const Args& args) {
    bool json = false;
    for (const std::string& a : args) {
        if (a != "--json") {
            printLine(stderr, usageLine(kProductsSynopsis));
            return 2;
        }
        json = true;
    }
    CliUiPort ui;
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
            out += p.name + "\t" + familyText(p, "-") + "\t" +
                   std::string(installed::sourceName(p.source)) + "\t" + p.folder + "\n";
        if (found.empty()) printLine(stderr, kNoProducts);
    }
    std::fputs(out.c_str(), stdout);
    return 0;
}

} // namespace kestrel::cli
