// `kestrel-cli gen`: writes a binary TYP file of numbered elements, with the checks of the
// desktop program's generator dialog.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include "app/startup.h"
#include "base/app_paths.h"
#include "base/code_page.h"
#include "base/files.h"
#include "base/paths.h"
#include "base/platform/platform.h"
#include "base/text.h"
#include "cli/cli_ui.h"
#include "cli/commands.h"
#include "cli/messages.h"
#include "cli/no_launcher.h"
#include "cli/output.h"
#include "typbin/generator_form.h"
#include "typbin/generators.h"

namespace kestrel::cli {
namespace {

struct GenOptions {
    std::string kind, start, count, out, dataDir;
    std::string lineWidth, codepage; // empty: not given
    bool ignoreSubtypes = false, startHex = false, startDec = false, countHex = false;
    bool force = false;
};

const std::pair<const char*, GeneratorKind> kKinds[] = {{"pois", GeneratorKind::Pois},
                                                        {"lines", GeneratorKind::Lines},
                                                        {"polygons", GeneratorKind::Polygons},
                                                        {"routes", GeneratorKind::ActiveRoutes},
                                                        {"extra-pois", GeneratorKind::ExtraPois}};

GeneratorKind kindFromName(const std::string& name) {
    for (const auto& [text, kind] : kKinds)
        if (name == text) return kind;
    return GeneratorKind::Pois; // the parser admits only the names above
}

// An option that does not apply to the kind.
std::optional<std::string_view> misplacedOption(const GenOptions& o, GeneratorKind k) {
    if ((o.startHex || o.startDec || o.countHex) && k != GeneratorKind::ExtraPois)
        return kExtraPoisOptions;
    if (o.ignoreSubtypes && k != GeneratorKind::Lines && k != GeneratorKind::Polygons)
        return kIgnoreSubtypesOnly;
    if (!o.lineWidth.empty() && k != GeneratorKind::Lines && k != GeneratorKind::ActiveRoutes)
        return kLineWidthOnly;
    return std::nullopt;
}

// The value typed into a dialog field key by key: a character the field drops is an error here.
std::optional<std::string> typeInto(const GeneratorForm& form, GeneratorField field,
                                    const std::string& text, const char* option) {
    for (const char c : text) {
        if (!form.filterKey(field, c) || c == kBackspace) {
            const bool hexMode = field == GeneratorField::Start ? form.startHex() : form.countHex();
            return notANumber(option, text, hexMode);
        }
    }
    return std::nullopt;
}

// "start 1 to 0x1FF, count 1 to 1800, the last element at most 0x1FF1F".
std::string limitsText(GeneratorKind kind) {
    const GeneratorLimits l = generatorLimits(kind);
    if (kind == GeneratorKind::ExtraPois)
        return numberLimits(concat({"1 to ", std::to_string(l.maxStart)}),
                            concat({"1 to ", std::to_string(l.maxCount)}),
                            std::to_string(l.maxLast));
    const std::string subtype = hex(l.maxLast % 32);
    return numberLimits(
        concat({"1 to 0x", hex(l.maxStart)}), concat({"1 to ", std::to_string(l.maxCount)}),
        concat({"0x", hex(l.maxLast / 32), subtype.size() < 2 ? "0" : "", subtype}));
}

// The header clock: SOURCE_DATE_EPOCH when set (reproducible builds), else now.
std::optional<typ::DateTime> headerClock() {
    const char* env = std::getenv("SOURCE_DATE_EPOCH");
    if (!env || !*env) return typ::dateTimeNow();
    const std::string s = env;
    if (s.size() > 15 || s.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return typ::dateTimeUtc(std::stoll(s));
}

int gen(const GenOptions& o, bool quiet) {
    const GeneratorKind kind = kindFromName(o.kind);
    const std::string prefix = genPrefix(o.kind);
    const auto refuse = [&](std::string_view why) {
        printError(concat({prefix, why}));
        return kUsage;
    };
    if (const auto misplaced = misplacedOption(o, kind)) return refuse(*misplaced);
    const std::optional<typ::DateTime> clock = headerClock();
    if (!clock) return refuse(kSourceDateEpoch);

    GeneratorForm form(kind, "");
    form.setStartHex(o.startHex);
    form.setCountHex(o.countHex);
    if (const auto err = typeInto(form, GeneratorField::Start, o.start, "--start"))
        return refuse(*err);
    if (const auto err = typeInto(form, GeneratorField::Count, o.count, "--count"))
        return refuse(*err);
    form.setStart(o.start);
    form.setCount(o.count);
    form.setPath(o.out);
    form.setIgnoreSubtypes(o.ignoreSubtypes);
    if (!o.lineWidth.empty()) form.setLineWidth(o.lineWidth);
    if (form.validate().verdict != Validation::Verdict::Valid) return refuse(limitsText(kind));
    if (const auto refused =
            refuseOutput(o.out, {.force = o.force, .existing = Existing::ReplacedWithForce}))
        return refuse(*refused);

    // The dialog's overwrite question is answered by --force, checked above.
    CliUiPort ui(quiet, Answer::Yes);
    const GeneratorRequest request = *form.accept(ui);
    const std::string apppath = platform::programFolder();
    const std::string syspath =
        !o.dataDir.empty()
            ? o.dataDir
            : AppPaths::resolve(apppath, installedDataFolder(apppath, KESTREL_INSTALL_DATADIR))
                  .syspath;
    NoLauncher launcher;
    TypSectionSlots slots;
    const TypHeaderInfo header{*clock, CodePage(o.codepage.empty() ? "1252" : o.codepage).number()};
    GeneratorContext ctx{ui, launcher, slots, header, apppath, syspath, writeOutput};
    const GenerateResult r = runGenerator(request, ctx);
    if (r.status != GenerateStatus::Written) {
        printError(cannotWriteText(o.out, r.failure));
        return kFailed;
    }
    ui.note(wrote(o.out, concat({count(r.elements, "element", "elements"), ", ",
                                 count(r.bytes, "byte", "bytes")})));
    return kDone;
}

} // namespace

Command genCommand(CLI::App& cli, CommonOptions& common) {
    auto o = std::make_shared<GenOptions>();
    CLI::App* app = cli.add_subcommand("gen", std::string(kGenAbout));
    std::vector<std::string> kinds;
    for (const auto& [name, kind] : kKinds) kinds.push_back(name);
    app->add_option("KIND", o->kind, std::string(kKindOption))
        ->required()
        ->check(CLI::IsMember(kinds))
        ->type_name("");
    app->add_option("--start", o->start, std::string(kStartOption))->required()->type_name("S");
    app->add_option("--count", o->count, std::string(kCountOption))->required()->type_name("N");
    app->add_option("-o,--output", o->out, std::string(kGenOutputOption))
        ->required()
        ->type_name("FILE");
    app->add_flag("--ignore-subtypes", o->ignoreSubtypes, std::string(kIgnoreSubtypesOption));
    app->add_option("--line-width", o->lineWidth, std::string(kLineWidthOption))
        ->check(decimalIn(1, 10))
        ->type_name("W");
    app->add_option("--codepage", o->codepage, std::string(kGenCodepageOption))
        ->check(decimalIn(1, 65535))
        ->type_name("CP");
    auto* hex = app->add_flag("--start-hex", o->startHex, std::string(kStartHexOption));
    app->add_flag("--start-dec", o->startDec, std::string(kStartDecOption))->excludes(hex);
    app->add_flag("--count-hex", o->countHex, std::string(kCountHexOption));
    app->add_flag("--force", o->force, std::string(kForceOption));
    app->add_option("--data", o->dataDir, std::string(kGenDataOption))
        ->check(existingFolder())
        ->type_name("DIR");
    addCommonOptions(*app, common);
    app->footer(std::string(kGenFooter));
    return {app, [o, &common] { return gen(*o, common.quiet); }};
}

} // namespace kestrel::cli
