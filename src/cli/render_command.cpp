// `kestrel-cli render`: a PNG picture of a map at one level, drawn with the styles of a TYP.
#include <charconv>
#include <memory>
#include <string>

#include "cli/cli_ui.h"
#include "cli/commands.h"
#include "cli/messages.h"
#include "cli/output.h"
#include "cli/render_command.h"

namespace kestrel::cli {
namespace {

// The largest side of a picture: 8192 x 8192 pixels take 256 MiB.
constexpr int kMaxPictureSide = 8192;

} // namespace

std::optional<std::pair<int, int>> pictureSize(std::string_view text) {
    const std::size_t x = text.find('x');
    if (x == std::string_view::npos) return std::nullopt;
    const auto side = [](std::string_view digits) -> std::optional<int> {
        int v = 0;
        const auto r = std::from_chars(digits.data(), digits.data() + digits.size(), v);
        if (digits.empty() || digits[0] == '+' || digits[0] == '-' || r.ec != std::errc() ||
            r.ptr != digits.data() + digits.size() || v < 1 || v > kMaxPictureSide)
            return std::nullopt;
        return v;
    };
    const auto w = side(text.substr(0, x)), h = side(text.substr(x + 1));
    if (!w || !h) return std::nullopt;
    return std::pair{*w, *h};
}

namespace {

int render(const RenderOptions& o, const CommonOptions& common) {
    std::vector<std::string> inputs{o.map};
    if (!o.typ.empty()) inputs.push_back(o.typ);
    if (const auto refused = refuseOutput(o.out, {.inputs = inputs, .force = o.force})) {
        printError(*refused);
        return kUsage;
    }
    return runRender(o, common);
}

} // namespace

Command renderCommand(CLI::App& cli, CommonOptions& common) {
    auto o = std::make_shared<RenderOptions>();
    CLI::App* app = cli.add_subcommand("render", std::string(kRenderAbout));
    app->add_option("--typ", o->typ, std::string(kRenderTypOption))->type_name("TYP");
    app->add_option("--level", o->level, std::string(kLevelOption))
        ->type_name("N")
        ->transform(decimalIn(0, 15));
    app->add_option("--size", o->size, std::string(kSizeOption))
        ->type_name("WxH")
        ->check(CLI::Validator(
            [](const std::string& s) { return pictureSize(s) ? "" : std::string(kSizeForm); }, "",
            "size"));
    app->add_flag("--whole-map", o->whole, std::string(kWholeMapOption));
    app->add_option("-o,--output", o->out, std::string(kRenderOutputOption))
        ->required()
        ->type_name("FILE");
    app->add_flag("--force", o->force, std::string(kTypForceOption));
    addCommonOptions(*app, common);
    app->add_option("MAP", o->map, std::string(kRenderMapOption))->required()->type_name("");
    app->footer(std::string(kRenderFooter));
    return {app, [o, &common] { return render(*o, common); }};
}

} // namespace kestrel::cli
