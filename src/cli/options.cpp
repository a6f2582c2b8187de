#include "cli/options.h"

#include <charconv>

#include "base/paths.h"
#include "base/text.h"
#include "cli/messages.h"

namespace kestrel::cli {

void addCommonOptions(CLI::App& app, CommonOptions& common) {
    app.add_flag("-q,--quiet", common.quiet, std::string(kQuietOption));
}

CLI::Validator decimalIn(std::uint64_t min, std::uint64_t max) {
    return CLI::Validator(
        [min, max](const std::string& text) {
            std::uint64_t v = 0;
            const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
            const bool whole = ec == std::errc{} && end == text.data() + text.size();
            return whole && v >= min && v <= max ? std::string() : notInRange(min, max);
        },
        "");
}

CLI::Validator existingFolder() {
    return CLI::Validator(
        [](const std::string& path) {
            return folderExists(path) ? std::string() : notAFolder(path);
        },
        "");
}

std::uint64_t decimalValue(const std::string& text) {
    std::uint64_t v = 0;
    std::from_chars(text.data(), text.data() + text.size(), v);
    return v;
}

std::optional<EmptyValue> emptyValue(const CLI::App& program,
                                     const std::vector<std::string>& args) {
    const CLI::App* app = &program;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--") break; // only arguments follow
        if (app == &program) {
            const auto named =
                program.get_subcommands([&](const CLI::App* c) { return c->get_name() == arg; });
            if (!named.empty()) {
                app = named.front();
                continue;
            }
        }
        if (arg.size() < 2 || arg[0] != '-') continue;
        const std::size_t eq = arg.find('=');
        const std::string name = startsWith(arg, "--") ? arg.substr(0, eq) : arg;
        const CLI::Option* option = app->get_option_no_throw(name);
        if (option == nullptr) continue;
        const EmptyValue empty{name, app == &program ? std::string() : app->get_name()};
        if (name != arg) {
            if (eq + 1 == arg.size()) return empty;
        } else if (option->get_items_expected_max() > 0 && i + 1 < args.size()) {
            if (args[i + 1].empty()) return empty;
            ++i; // the value, whatever it looks like
        }
    }
    return std::nullopt;
}

} // namespace kestrel::cli
