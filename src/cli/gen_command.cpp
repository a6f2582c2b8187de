// `kestrel-cli gen`: writes a binary TYP file of numbered elements, with exactly the checks and
// messages of the desktop program's generator dialog.
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>

#include "base/app_paths.h"
#include "base/code_page.h"
#include "base/launcher.h"
#include "base/platform/platform.h"
#include "base/text.h"
#include "cli/cli_ui.h"
#include "cli/commands.h"
#include "cli/messages.h"
#include "cli/no_launcher.h"
#include "typbin/generator_form.h"
#include "typbin/generators.h"
#include "typbin/messages.h"

namespace kestrel::cli {
namespace {

struct GenOptions {
    std::optional<GeneratorKind> kind;
    std::optional<std::string> start, count, out, lineWidth, codepage, dataDir;
    bool ignoreSubtypes = false, startHex = false, startDec = false, countHex = false;
    bool force = false;
};

std::optional<GeneratorKind> kindFromName(const std::string& name) {
    if (name == "pois") return GeneratorKind::Pois;
    if (name == "lines") return GeneratorKind::Lines;
    if (name == "polygons") return GeneratorKind::Polygons;
    if (name == "routes") return GeneratorKind::ActiveRoutes;
    if (name == "extra-pois") return GeneratorKind::ExtraPois;
    return std::nullopt;
}

int fail(std::string_view text) {
    printLine(stderr, concat({kGenPrefix, text}));
    return 2;
}

int usageError(std::string_view text) {
    fail(text);
    printText(stderr, kGenUsage);
    return 2;
}

// Parses the arguments; an error text when they cannot be used.
std::optional<std::string> parse(const Args& args, GenOptions& o) {
    const std::pair<const char*, std::optional<std::string>*> valued[] = {
        {"--start", &o.start}, {"--count", &o.count},          {"-o", &o.out},
        {"--output", &o.out},  {"--line-width", &o.lineWidth}, {"--codepage", &o.codepage},
        {"--data", &o.dataDir}};
    const std::pair<const char*, bool*> flags[] = {{"--ignore-subtypes", &o.ignoreSubtypes},
                                                   {"--start-hex", &o.startHex},
                                                   {"--start-dec", &o.startDec},
                                                   {"--count-hex", &o.countHex},
                                                   {"--force", &o.force}};
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        bool known = false;
        for (const auto& [name, into] : valued) {
            if (a != name) continue;
            if (i + 1 >= args.size()) return optionNeedsValue(a);
            *into = args[++i];
            known = true;
        }
        for (const auto& [name, into] : flags) {
            if (a != name) continue;
            *into = true;
            known = true;
        }
        if (known) continue;
        if (!a.empty() && a[0] == '-') return optionUnknown(a);
        if (o.kind) return oneKindOnly(a);
        if (!(o.kind = kindFromName(a))) return kindUnknown(a);
    }
    if (!o.kind) return std::string(kKindMissing);
    if (!o.start || !o.count || !o.out) return std::string(kGenRequired);
    const GeneratorKind k = *o.kind;
    if (o.startHex && o.startDec) return std::string(kStartHexOrDec);
    if ((o.startHex || o.startDec || o.countHex) && k != GeneratorKind::ExtraPois)
        return std::string(kExtraPoisOptions);
    if (o.ignoreSubtypes && k != GeneratorKind::Lines && k != GeneratorKind::Polygons)
        return std::string(kIgnoreSubtypesOption);
    if (o.lineWidth && k != GeneratorKind::Lines && k != GeneratorKind::ActiveRoutes)
        return std::string(kLineWidthOption);
    if (o.codepage && CodePage(*o.codepage).number() == 0) return std::string(kCodepageOption);
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

// The header clock: SOURCE_DATE_EPOCH when set (reproducible builds), else now.
std::optional<TypDateTime> headerClock() {
    const char* env = std::getenv("SOURCE_DATE_EPOCH");
    if (!env || !*env) return typDateTimeNow();
    const std::string s = env;
    if (s.size() > 15 || s.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return typDateTimeUtc(std::stoll(s));
}

} // namespace

int gen(const Args& args) {
    GenOptions o;
    if (const auto err = parse(args, o)) return usageError(*err);

    const std::optional<TypDateTime> clock = headerClock();
    if (!clock) return fail(kSourceDateEpoch);

    GeneratorForm form(*o.kind, "");
    form.setStartHex(o.startHex);
    form.setCountHex(o.countHex);
    if (const auto err = typeInto(form, GeneratorField::Start, *o.start, "--start"))
        return fail(*err);
    if (const auto err = typeInto(form, GeneratorField::Count, *o.count, "--count"))
        return fail(*err);
    form.setStart(*o.start);
    form.setCount(*o.count);
    form.setPath(*o.out);
    form.setIgnoreSubtypes(o.ignoreSubtypes);
    if (o.lineWidth) form.setLineWidth(*o.lineWidth);

    if (form.validate().verdict == Validation::Verdict::Incomplete) return fail(kStartAndCount);
    CliUiPort ui(o.force ? Answer::Yes : Answer::No);
    const std::optional<GeneratorRequest> request = form.accept(ui);
    if (!request) {
        // The refusal or the overwrite question is already on stderr.
        if (form.validate().verdict == Validation::Verdict::Valid)
            return fail(existsUseForce(*o.out));
        return 2;
    }

    const std::string apppath = platform::programFolder();
    const std::string syspath =
        o.dataDir ? *o.dataDir : AppPaths::resolve(apppath, KESTREL_INSTALL_DATADIR).syspath;
    NoLauncher launcher;
    TypSectionSlots slots;
    const TypHeaderInfo header{*clock, CodePage(o.codepage.value_or("1252")).number()};
    GeneratorContext ctx{ui, launcher, slots, header, apppath, syspath};
    const GenerateResult r = runGenerator(*request, ctx);
    if (r.status != GenerateStatus::Written) {
        printLine(stderr, typWriteFailed(request->path));
        return 1;
    }
    printLine(stdout, generated(request->path, r.elements, r.bytes));
    return 0;
}

} // namespace kestrel::cli
