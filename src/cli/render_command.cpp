// `kestrel-cli render`: a PNG picture of a map at one level, drawn with the styles of a TYP.
#include <charconv>
#include <memory>
#include <string>
#include <variant>

#include "cli/cli_ui.h"
#include "cli/commands.h"
#include "cli/messages.h"
#include "cli/output.h"
#if KESTREL_DRAW
#include "legend/legend_input.h"
#include "legend/legend_texts.h"
#include "mapdraw/map_picture.h"
#include "mapread/decode_note.h"
#include "maptyp/map_file.h"
#endif

namespace kestrel::cli {
namespace {

// The largest side of a picture: 8192 x 8192 pixels take 256 MiB.
constexpr int kMaxPictureSide = 8192;

struct RenderOptions {
    std::string map, typ, out, size = "1000x1000";
    unsigned level = 0;
    bool whole = false, night = false, force = false;
};

// WIDTHxHEIGHT, each a decimal from 1 to the largest side.
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

#if KESTREL_DRAW
int draw(const RenderOptions& o, bool quiet) {
    CliUiPort ui(quiet);
    MapBuffer buf;
    if (const auto why = buf.open(o.map)) {
        printError(skippedMap(o.map, describe(*why)));
        return kFailed;
    }
    buf.setKey(buf.rawFirstByte());
    // The styles: the TYP given, else the map's own, else none.
    std::optional<legend::InputRead> styles;
    if (!o.typ.empty())
        styles = legend::readLegendInput(o.typ);
    else if (std::holds_alternative<maptyp::MapFile>(maptyp::MapFile::open(o.map)))
        styles = legend::readLegendInput(o.map);
    const legend::InputFault* fault = styles ? std::get_if<legend::InputFault>(&*styles) : nullptr;
    if (fault && (!o.typ.empty() || fault->problem != legend::InputProblem::MapWithoutTyp)) {
        printError(escapeControls(
            skippedMap(o.typ.empty() ? o.map : o.typ, legend::inputFaultText(*fault))));
        return kFailed;
    }
    const auto* typ = styles ? std::get_if<legend::LegendInput>(&*styles) : nullptr;
    const auto [width, height] = *pictureSize(o.size);
    const mapdraw::MapPictureResult picture = mapdraw::drawMap(
        buf, typ ? &typ->typ : nullptr,
        {o.level, width, height, o.whole, o.night ? draw::Daytime::Night : draw::Daytime::Day}, ui);
    for (const DecodeNote& n : picture.notes)
        if (n.why != DecodeStop::ShapeDamaged) ui.note(skippedMap(o.map, describe(n)));
    if (picture.fault) {
        printError(skippedMap(
            o.map, picture.fault == mapdraw::PictureFault::NoTiles ? kNoMapTiles : kCannotDraw));
        return kFailed;
    }
    if (!typ) ui.note(plainStyles(o.map));
    if (picture.damagedShapes) ui.note(shapesLeftOut(o.map, picture.damagedShapes));
    if (const auto failed = writeOutput(o.out, picture.png)) {
        printError(cannotWriteText(o.out, *failed));
        return kFailed;
    }
    ui.note(wrote(o.out, pictureText(width, height, picture.shapes)));
    return picture.notes.empty() ? kDone : kSomeSkipped;
}
#else
// The command is there on every build, so that scripts, the help and the refusals of its options
// are the same everywhere.
int draw(const RenderOptions&, bool) {
    printError(kNoDrawing);
    return kFailed;
}
#endif

int render(const RenderOptions& o, bool quiet) {
    std::vector<std::string> inputs{o.map};
    if (!o.typ.empty()) inputs.push_back(o.typ);
    if (const auto refused = refuseOutput(o.out, {.inputs = inputs, .force = o.force})) {
        printError(*refused);
        return kUsage;
    }
    return draw(o, quiet);
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
    app->add_flag("--night", o->night, std::string(kNightOption));
    app->add_option("-o,--output", o->out, std::string(kRenderOutputOption))
        ->required()
        ->type_name("FILE");
    app->add_flag("--force", o->force, std::string(kTypForceOption));
    addCommonOptions(*app, common);
    app->add_option("MAP", o->map, std::string(kRenderMapOption))->required()->type_name("");
    app->footer(std::string(kRenderFooter));
    return {app, [o, &common] { return render(*o, common.quiet); }};
}

} // namespace kestrel::cli
