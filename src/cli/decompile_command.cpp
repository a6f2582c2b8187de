// `kestrel-cli decompile`: turns a binary TYP file into a TYP source text. What the reader could
// not place and what the text cannot say are named on stderr; the rest is written.
#include <memory>
#include <string>

#include "base/files.h"
#include "base/text.h"
#include "cli/cli_ui.h"
#include "cli/commands.h"
#include "cli/messages.h"
#include "cli/output.h"
#include "mapread/unreadable.h"
#include "typfile/binary_reader.h"
#include "typfile/text_writer.h"

namespace kestrel::cli {
namespace {

// Larger than any TYP file: mkgmap's end at 16 MB, and no tool's come near.
constexpr std::uint64_t kMaxTypFile = std::uint64_t{64} << 20;

struct DecompileOptions {
    std::string in, out;
    bool force = false;
};

int decompile(const DecompileOptions& o, bool quiet) {
    if (const auto refused = refuseOutput(o.out, {.inputs = {o.in}, .force = o.force})) {
        printError(*refused);
        return kUsage;
    }
    const auto fail = [&](std::string_view why) {
        printError(skippedMap(o.in, why));
        return kFailed;
    };
    if (const auto why = checkMapFile(o.in))
        return fail(why->reason == UnreadableReason::NoMapData ? kNotTypFile : describe(*why));
    if (fileSize(o.in).value_or(0) > kMaxTypFile) return fail(kTypTooLarge);
    const std::optional<std::string> bytes = readFile(o.in, kMaxTypFile);
    if (!bytes) return fail(kReadFailed);

    const typ::BinaryRead read = typ::readBinary(*bytes);
    if (read.refusal) return fail(kNotTypFile);
    const typ::TextWrite text = typ::writeText(read.typ);
    if (const auto failed = writeOutput(o.out, text.text)) {
        printError(cannotWriteText(o.out, *failed));
        return kFailed;
    }
    CliUiPort ui(quiet);
    for (const typ::ReadNote& n : read.notes) ui.note(readNoteText(o.in, n));
    for (const typ::TextLossNote& n : text.notes) ui.note(textLossNoteText(o.in, n));
    ui.note(wrote(o.out, typContents(read.typ)));
    return read.notes.empty() && text.notes.empty() ? kDone : kSomeSkipped;
}

} // namespace

Command decompileCommand(CLI::App& cli, CommonOptions& common) {
    auto o = std::make_shared<DecompileOptions>();
    CLI::App* app = cli.add_subcommand("decompile", std::string(kDecompileAbout));
    app->add_option("TYP", o->in, std::string(kTypFileOption))->required()->type_name("");
    app->add_option("-o,--output", o->out, std::string(kDecompileOutputOption))
        ->required()
        ->type_name("FILE");
    app->add_flag("--force", o->force, std::string(kTypForceOption));
    addCommonOptions(*app, common);
    app->footer(std::string(kDecompileFooter));
    return {app, [o, &common] { return decompile(*o, common.quiet); }};
}

} // namespace kestrel::cli
