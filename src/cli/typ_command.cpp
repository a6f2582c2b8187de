// `kestrel-cli typ`: reads maps like `scan` and writes the TYP source text for them, with the
// settings of the state file and the checks of "Create TYP file".
#include <array>
#include <memory>
#include <optional>
#include <random>
#include <string>

#include "app/session.h"
#include "app/state_file.h"
#include "app/typ_text_output.h"
#include "base/files.h"
#include "base/text.h"
#include "cli/cli_ui.h"
#include "cli/commands.h"
#include "cli/map_options.h"
#include "cli/messages.h"
#include "cli/output.h"
#include "mapread/unreadable.h"
#include "typfile/text_compile.h"

namespace kestrel::cli {
namespace {

struct TypOptions {
    MapOptions read;
    std::string out, fid, product, codepage, kinds, seed, state; // empty: not given
    bool force = false;
};

// "polygons,lines" -> kindsel {true, true, false}; nothing for an unknown kind.
std::optional<std::array<bool, 3>> kindSelection(const std::string& list) {
    std::array<bool, 3> sel{};
    for (const std::string& k : split(list, ",")) {
        const std::string name = trim(k);
        if (name == "polygons")
            sel[kPolygons] = true;
        else if (name == "lines")
            sel[kLines] = true;
        else if (name == "pois")
            sel[kPois] = true;
        else
            return std::nullopt;
    }
    return sel;
}

// Why the file named by --state cannot be read as one: missing, not a regular file (a device's
// endless zeros), or bytes that are no state file.
std::optional<std::string> refuseStateFile(const std::string& path) {
    constexpr std::uint64_t kLargest = 1 << 20; // many times a real one
    if (const auto why = checkMapFile(path); why && why->reason != UnreadableReason::NoMapData)
        return why->reason == UnreadableReason::NoSuchFile ? noStateFile(path)
                                                           : cannotReadState(path, describe(*why));
    const std::optional<std::string> text = readFile(path, kLargest);
    if (!text || !isStateText(*text)) return notAStateFile(path);
    return std::nullopt;
}

// "8 polygons, 7 lines, 6 POIs": the blocks of the kinds written.
std::string written(const TypTextDocument& doc, const std::array<bool, 3>& kinds) {
    const std::string counts[] = {counted(doc.blocks(kPolygons), "polygon", "polygons"),
                                  counted(doc.blocks(kLines), "line", "lines"),
                                  counted(doc.blocks(kPois), "POI", "POIs")};
    std::string r;
    for (int kind : {kPolygons, kLines, kPois})
        if (kinds[kind]) r += (r.empty() ? "" : ", ") + counts[kind];
    return r;
}

int typ(const TypOptions& o, bool quiet) {
    if (const auto refused = refuseOutput(o.out, {.inputs = o.read.maps, .force = o.force})) {
        printError(*refused);
        return kUsage;
    }
    Session session;
    startSession(session);
    if (!o.state.empty()) {
        if (const auto refused = refuseStateFile(o.state)) {
            printError(*refused);
            return kUsage;
        }
        session.settings = Settings{};
        loaddata(o.state, session.settings);
    }
    if (!o.read.dataDir.empty()) session.paths.syspath = o.read.dataDir;
    CliUiPort ui(quiet);
    // The family ID given: that the map's own was not found, or was drawn at random, is no news.
    if (!o.fid.empty()) {
        ui.leaveOut(msg::kNoFid);
        ui.leaveOut(msg::kMultipleTdb);
    }
    const int status = readMaps(session, ui, o.read);
    if (status == kFailed) {
        printError(kNothingWritten);
        return kFailed;
    }

    Settings& s = session.settings;
    MapFields& fields = session.map.fields;
    if (!o.fid.empty()) fields.fid = o.fid;
    if (!o.product.empty()) fields.productCode = o.product;
    if (!o.codepage.empty()) s.codepage = CodePage(o.codepage);
    if (!o.kinds.empty()) s.kindsel = *kindSelection(o.kinds);
    if (const auto refusal = checkTypText(fields, s.codepage)) {
        printError(refusal == TypTextRefusal::InvalidFid ? mapFidOutOfRange(fields.fid)
                                                         : stateCodepageRefused(s.codepage.name()));
        return kUsage;
    }
    std::mt19937 rng(o.seed.empty() ? std::random_device{}()
                                    : static_cast<std::uint32_t>(decimalValue(o.seed)));
    const TypTextDocument doc = buildTypText(typTextWriting(session, ui), s.codepage.name(), rng);
    if (const auto failed = writeOutput(o.out, doc.text())) {
        printError(cannotWriteText(o.out, *failed));
        return kFailed;
    }
    ui.note(wrote(o.out, written(doc, s.kindsel)));
    // Said now, before anyone tries: a TYP file holds at most 16 MB.
    const typ::CompiledText compiled = typ::compileText(doc.text(), {}, typ::DateTime{});
    if (compiled.error && compiled.error->problem == typ::TextProblem::FileTooLarge)
        ui.note(tooLargeToCompile(compiled.error->what));
    return status;
}

} // namespace

Command typCommand(CLI::App& cli, CommonOptions& common) {
    auto o = std::make_shared<TypOptions>();
    CLI::App* app = cli.add_subcommand("typ", std::string(kTypAbout));
    app->add_option("-o,--output", o->out, std::string(kTypOutputOption))
        ->required()
        ->type_name("FILE");
    app->add_option("--fid", o->fid, std::string(kFidOption))
        ->check(decimalIn(1, 65000))
        ->type_name("N");
    app->add_option("--product", o->product, std::string(kProductOption))
        ->check(decimalIn(1, 65535))
        ->type_name("N");
    app->add_option("--codepage", o->codepage, std::string(kTypCodepageOption))
        ->check(decimalIn(1250, 1258))
        ->type_name("CP");
    const auto kinds = [](const std::string& list) {
        return kindSelection(list) ? std::string() : std::string(kKindsRefused);
    };
    app->add_option("--kinds", o->kinds, std::string(kKindsOption))
        ->check(CLI::Validator(kinds, ""))
        ->type_name("LIST");
    app->add_option("--seed", o->seed, std::string(kSeedOption))
        ->check(decimalIn(0, 0xFFFFFFFF))
        ->type_name("N");
    app->add_option("--state", o->state, std::string(kStateOption))->type_name("FILE");
    app->add_flag("--force", o->force, std::string(kTypForceOption));
    addMapOptions(*app, o->read);
    addCommonOptions(*app, common);
    app->footer(std::string(kTypFooter));
    return {app, [o, &common] { return typ(*o, common.quiet); }};
}

} // namespace kestrel::cli
