// `kestrel-cli map-typ`: lists the TYP files inside maps (name, size, family ID, product, code
// page), says whether each one's family ID is the map's, and writes them out with --extract.
#include <cstdio>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "base/counted.h"
#include "base/files.h"
#include "base/paths.h"
#include "base/text.h"
#include "cli/cli_ui.h"
#include "cli/commands.h"
#include "cli/json_text.h"
#include "cli/messages.h"
#include "cli/output.h"
#include "maptyp/map_file.h"
#include "maptyp/messages.h"

namespace kestrel::cli {
namespace {

struct MapTypOptions {
    std::vector<std::string> maps;
    std::string extract; // empty: list only
    bool json = false, force = false;
};

std::string idText(const std::optional<typ::Identity>& id, std::uint16_t typ::Identity::*f,
                   const char* none) {
    return id ? std::to_string((*id).*f) : std::string(none);
}

// Whether the TYP's family ID is one of the map's, in words.
std::string familyCheck(const maptyp::TypInMap& t, const std::vector<std::uint16_t>& families) {
    if (!t.identity) return std::string(kNoTypHeader);
    if (families.empty()) return std::string(kMapFamilyUnknown);
    for (std::uint16_t f : families)
        if (f == t.identity->familyId) return std::string(kFamilyMatches);
    return familyDiffers(maptyp::familyList(families));
}

// The map's lines of text, or its JSON object.
std::string listing(const maptyp::MapFile& map, bool json) {
    const std::vector<std::uint16_t> families = map.family().familyIds();
    std::string out;
    for (const maptyp::TypInMap& t : map.typs()) {
        const std::string name = img::fileName(t.subfile->name, t.subfile->type);
        const std::string size = std::to_string(t.subfile->size);
        if (json) {
            const bool matches = familyCheck(t, families) == kFamilyMatches;
            out += concat(
                {out.empty() ? "" : ", ", "{\"name\": ", jsonString(name), ", \"size\": ", size,
                 ", \"family_id\": ", idText(t.identity, &typ::Identity::familyId, "null"),
                 ", \"product\": ", idText(t.identity, &typ::Identity::productId, "null"),
                 ", \"code_page\": ", idText(t.identity, &typ::Identity::codePage, "null"),
                 ", \"family_matches\": ", matches ? "true" : "false", "}"});
        } else {
            // The map's path and the subfile's name come from outside: escaped like every name.
            out += concat({escapeControls(map.path()), "\t", escapeControls(name), "\t", size, "\t",
                           idText(t.identity, &typ::Identity::familyId, "-"), "\t",
                           idText(t.identity, &typ::Identity::productId, "-"), "\t",
                           idText(t.identity, &typ::Identity::codePage, "-"), "\t",
                           familyCheck(t, families), "\n"});
        }
    }
    if (!json) return out;
    return concat({"{\"map\": ", jsonString(map.path(), HighBytes::Utf8WhenValid),
                   ", \"family_ids\": ", concat({"[", maptyp::familyList(families), "]"}),
                   ", \"typs\": [", out, "]}"});
}

// Writes the map's TYPs into the folder; false when one could not be written.
bool extract(const maptyp::MapFile& map, const MapTypOptions& o, CliUiPort& ui) {
    bool ok = true;
    for (const maptyp::TypInMap& t : map.typs()) {
        const std::string out = joinPath(o.extract, maptyp::safeFileName(*t.subfile));
        std::optional<std::string> refused = refuseOutput(
            out, {.inputs = o.maps, .force = o.force, .existing = Existing::ReplacedWithForce});
        if (!refused)
            if (const auto failure = map.extract(*t.subfile, out))
                refused = cannotWriteText(out, *failure);
        if (refused) {
            printError(*refused);
            ok = false;
        } else {
            ui.note(
                wrote(out, counted(static_cast<std::size_t>(t.subfile->size), "byte", "bytes")));
        }
    }
    return ok;
}

int mapTyp(const MapTypOptions& o, bool quiet) {
    CliUiPort ui(quiet);
    if (!o.extract.empty() && !folderExists(o.extract) && !makeFolders(o.extract)) {
        printError(cannotWrite(o.extract, kNoFolder));
        return kFailed;
    }
    int read = 0, skipped = 0;
    bool written = true;
    std::string json, text;
    for (const std::string& path : o.maps) {
        auto opened = maptyp::MapFile::open(path);
        std::string why;
        if (const auto* fault = std::get_if<maptyp::MapFault>(&opened))
            why = fault->unreadable ? describe(*fault->unreadable)
                                    : std::string(maptyp::msg::kNotAContainer);
        else if (!std::get<maptyp::MapFile>(opened).directory().sound())
            why = concat(
                {kDirectoryDamaged,
                 maptyp::describe(std::get<maptyp::MapFile>(opened).directory().problems.front())});
        if (!why.empty()) {
            printError(skippedMap(path, why));
            ++skipped;
            continue;
        }
        ++read;
        const maptyp::MapFile& map = std::get<maptyp::MapFile>(opened);
        if (map.typs().empty()) ui.note(noTypInside(path));
        if (o.json)
            json += concat({json.empty() ? "\n " : ",\n ", listing(map, true)});
        else
            text += listing(map, false);
        if (!o.extract.empty()) written = extract(map, o, ui) && written;
    }
    if (o.json) text = json.empty() ? "[]\n" : "[" + json + "\n]\n";
    if (!writeStdout(text) || read == 0 || !written) return kFailed;
    return skipped > 0 ? kSomeSkipped : kDone;
}

} // namespace

Command mapTypCommand(CLI::App& cli, CommonOptions& common) {
    auto o = std::make_shared<MapTypOptions>();
    CLI::App* app = cli.add_subcommand("map-typ", std::string(kMapTypAbout));
    app->add_option("--extract", o->extract, std::string(kExtractOption))->type_name("DIR");
    app->add_flag("--force", o->force, std::string(kForceOption));
    app->add_flag("--json", o->json, std::string(kJsonOption));
    addCommonOptions(*app, common);
    app->add_option("MAP", o->maps, std::string(kImgMapsOption))->required()->type_name("");
    app->footer(std::string(kMapTypFooter));
    return {app, [o, &common] { return mapTyp(*o, common.quiet); }};
}

} // namespace kestrel::cli
