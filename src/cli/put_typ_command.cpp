// `kestrel-cli put-typ`: writes a copy of a map with a TYP file put into it, the TYP's family ID
// and product set to the map's.
#include <memory>
#include <string>

#include "base/paths.h"
#include "base/text.h"
#include "cli/cli_ui.h"
#include "cli/commands.h"
#include "cli/messages.h"
#include "cli/output.h"
#include "maptyp/messages.h"
#include "maptyp/put_typ.h"

namespace kestrel::cli {
namespace {

struct PutTypOptions {
    maptyp::PutTypRequest request;
    bool force = false;
};

int putTyp(const PutTypOptions& o, bool quiet) {
    const maptyp::PutTypRequest& request = o.request;
    std::optional<std::string> refused;
    if (request.out == kStdout)
        refused = cannotWrite(kStdoutName, kMapNotToStdout);
    else
        refused = refuseOutput(request.out, {.inputs = {request.map, request.typ},
                                             .force = o.force,
                                             .existing = Existing::ReplacedWithForceMapsToo});
    if (refused) {
        printError(*refused);
        return kUsage;
    }
    CliUiPort ui(quiet);
    const maptyp::PutTypResult r = maptyp::putTyp(request, ui);
    if (r.status != maptyp::PutTypStatus::Written) {
        const bool ids = r.status == maptyp::PutTypStatus::FamilyUnknown ||
                         r.status == maptyp::PutTypStatus::SeveralFamilies;
        printError(concat({maptyp::describe(request, r), ids ? kKeepIdsHint : ""}));
        return kFailed;
    }
    ui.note(maptyp::describe(request, r));
    if (r.unmasked) ui.note(maptyp::msg::kUnmasked);
    return kDone;
}

} // namespace

Command putTypCommand(CLI::App& cli, CommonOptions& common) {
    auto o = std::make_shared<PutTypOptions>();
    CLI::App* app = cli.add_subcommand("put-typ", std::string(kPutTypAbout));
    app->add_option("MAP", o->request.map, std::string(kPutTypMapOption))
        ->required()
        ->type_name("");
    app->add_option("TYP", o->request.typ, std::string(kPutTypTypOption))
        ->required()
        ->type_name("");
    app->add_option("-o,--output", o->request.out, std::string(kPutTypOutputOption))
        ->required()
        ->type_name("FILE");
    app->add_flag("--keep-ids", o->request.keepIds, std::string(kKeepIdsOption));
    app->add_flag("--force", o->force, std::string(kForceOption));
    addCommonOptions(*app, common);
    app->footer(std::string(kPutTypFooter));
    return {app, [o, &common] { return putTyp(*o, common.quiet); }};
}

} // namespace kestrel::cli
