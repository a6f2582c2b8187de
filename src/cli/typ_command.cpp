// `kestrel-cli typ`: reads maps like `scan` and writes the TYP source text for them, with the
// settings of the state file and the checks of "Create TYP file".
#include <array>
#include <cstdio>
#include <memory>
#include <optional>
#include <random>
#include <string>

#include "app/session.h"
#include "app/startup.h"
#include "app/state_file.h"
#include "app/typ_text_output.h"
#include "base/files.h"
#include "base/paths.h"
#include "base/platform/platform.h"
#include "base/text.h"
#include "cli/cli_ui.h"
#include "cli/commands.h"
#include "cli/map_options.h"
#include "cli/messages.h"
#include "cli/output.h"
#include "typfile/text_compile.h"

namespace kestrel::cli {
namespace {

struct TypOptions {
    MapOptions read;
    std::string out, fid, product, codepage, kinds, seed, state; // empty: not given
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

// "8 polygons, 7 lines, 6 POIs": the blocks of the kinds written.
std::string written(const TypTextDocument& doc, const std::array<bool, 3>& kinds) {
    const std::string counts[] = {count(doc.blocks(kPolygons), "polygon", "polygons"),
                                  count(doc.blocks(kLines), "line", "lines"),
                                  count(doc.blocks(kPois), "POI", "POIs")};
    std::string r;
    for (int kind : {kPolygons, kLines, kPois})
        if (kinds[kind]) r += (r.empty() ? "" : ", ") + counts[kind];
    return r;
}

int typ(const TypOptions& o) {
    if (const auto refused = refuseOutput(o.out, o.read.maps)) {
        printError(*refused);
        return kUsage;
    }
    Session session;
    startup(session, platform::programFolder(), KESTREL_INSTALL_DATADIR);
    if (!o.state.empty()) {
        if (!fileExists(o.state)) {
            printError(noStateFile(o.state));
            return kUsage;
        }
        session.settings = Settings{};
        loaddata(o.state, session.settings);
    }
    if (!o.read.dataDir.empty()) session.paths.syspath = o.read.dataDir;
    CliUiPort ui(o.read.quiet);
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

Command typCommand(CLI::App& cli) {
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
    addMapOptions(*app, o->read);
    app->footer(std::string(kTypFooter));
    return {app, [o] { return typ(*o); }};
}

} // namespace kestrel::cli
