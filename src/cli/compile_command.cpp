// `kestrel-cli compile`: a TYP source text to a binary TYP file, with the identity of the map it
// is for when asked.
#include <memory>
#include <string>

#include "base/files.h"
#include "base/text.h"
#include "cli/cli_ui.h"
#include "cli/commands.h"
#include "cli/messages.h"
#include "cli/output.h"
#include "typfile/text_compile.h"
#include "typfile/text_messages.h"
#include "typfile/text_notes.h"
#include "typfile/text_reader.h"

namespace kestrel::cli {
namespace {

struct CompileOptions {
    std::string text, out, fid, product, codepage; // empty: not given
    bool force = false;
};

std::optional<std::uint16_t> given(const std::string& option) {
    if (option.empty()) return std::nullopt;
    return static_cast<std::uint16_t>(decimalValue(option));
}

int compile(const CompileOptions& o, bool quiet) {
    if (const auto refused = refuseOutput(o.out, {.inputs = {o.text}, .force = o.force})) {
        printError(*refused);
        return kUsage;
    }
    const std::optional<typ::DateTime> clock = headerClock();
    if (!clock) {
        printError(kSourceDateEpoch);
        return kUsage;
    }
    // A text beyond the limit is refused by its size, unread.
    const std::uint64_t size = fileSize(o.text).value_or(0);
    const std::optional<std::string> text =
        size > typ::kMaxTextSize ? std::string(size, ' ') : readFile(o.text, typ::kMaxTextSize);
    if (!text) {
        printError(cannotRead(o.text, kNoSuchFile));
        return kFailed;
    }
    const typ::IdentityOverride ids{given(o.fid), given(o.product), given(o.codepage)};
    const typ::CompiledText c = typ::compileText(*text, ids, *clock);
    // The text's own words reach the terminal with their control bytes shown, not acted on.
    if (!quiet)
        for (const typ::TextNote& n : c.notes)
            printLine(stderr, escapeControls(concat(
                                  {textPlace(o.text, n.line), kWarningWord, typ::warningText(n)})));
    if (c.error) {
        printLine(stderr,
                  escapeControls(textPlace(o.text, c.error->line) + typ::problemText(*c.error)));
        printError(kNotWritten);
        return kFailed;
    }
    if (const auto failed = writeOutput(o.out, c.bytes)) {
        printError(cannotWriteText(o.out, *failed));
        return kFailed;
    }
    CliUiPort ui(quiet);
    ui.note(
        wrote(o.out, concat({typContents(c.typ), ", ", counted(c.bytes.size(), "byte", "bytes")})));
    return kDone;
}

} // namespace

Command compileCommand(CLI::App& cli, CommonOptions& common) {
    auto o = std::make_shared<CompileOptions>();
    CLI::App* app = cli.add_subcommand("compile", std::string(kCompileAbout));
    app->add_option("TEXT", o->text, std::string(kTextOption))->required()->type_name("");
    app->add_option("-o,--output", o->out, std::string(kCompileOutputOption))
        ->required()
        ->type_name("FILE");
    app->add_option("--fid", o->fid, std::string(kCompileFidOption))
        ->check(decimalIn(1, 65000))
        ->type_name("N");
    app->add_option("--product", o->product, std::string(kCompileProductOption))
        ->check(decimalIn(1, 65535))
        ->type_name("N");
    app->add_option("--codepage", o->codepage, std::string(kCompileCodepageOption))
        ->check(decimalIn(1, 65535))
        ->type_name("CP");
    app->add_flag("--force", o->force, std::string(kTypForceOption));
    addCommonOptions(*app, common);
    app->footer(std::string(kCompileFooter));
    return {app, [o, &common] { return compile(*o, common.quiet); }};
}

} // namespace kestrel::cli
