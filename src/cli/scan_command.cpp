// `kestrel-cli scan`: loads maps as one File > Open batch and prints what the main window shows.
#include <memory>
#include <string>
#include <vector>

#include "app/session.h"
#include "base/text.h"
#include "cli/cli_ui.h"
#include "cli/commands.h"
#include "cli/json_text.h"
#include "cli/map_options.h"
#include "cli/messages.h"
#include "cli/output.h"
#include "mapread/complete_inventory.h"

namespace kestrel::cli {
namespace {

struct ScanOptions {
    MapOptions read;
    bool json = false;
};

std::string array(const std::vector<std::string>& items) {
    std::string r = "[";
    for (std::size_t i = 0; i < items.size(); ++i) r += (i ? ", " : "") + jsonString(items[i]);
    return r + "]";
}

// Per kind the complete scan's types: {"code": "0x2F06", "count": 12, "levels": [0, 1]}.
std::string completeJson(const TypeInventory& inv) {
    static constexpr std::string_view kKinds[] = {"\"polygons\": [", "], \"lines\": [",
                                                  "], \"pois\": ["};
    std::string out = "{";
    for (int kind : {kPolygons, kLines, kPois}) {
        out += kKinds[kind];
        const char* gap = "";
        for (const InventoryEntry& e : inv.list(kind)) {
            if (!e.objects) continue;
            std::string levels;
            for (unsigned n : levelNumbers(*e.objects))
                levels += (levels.empty() ? "" : ", ") + std::to_string(n);
            out += concat({gap, "{\"code\": ", jsonString(e.code.text()), ", \"count\": ",
                           std::to_string(e.objects->count), ", \"levels\": [", levels, "]}"});
            gap = ", ";
        }
    }
    return out + "]}";
}

std::string jsonText(const MapState& map, const ErrorLog& errors, const CliUiPort& ui,
                     bool complete) {
    const TypeInventory& inv = map.inventory;
    const auto& f = map.fields;
    std::string out = "{\n";
    auto key = [&](const char* k, const std::string& v, bool last = false) {
        out += std::string("  \"") + k + "\": " + v + (last ? "\n" : ",\n");
    };
    key("polygons", array(entryTexts(inv.list(kPolygons))));
    key("lines", array(entryTexts(inv.list(kLines))));
    key("pois", array(entryTexts(inv.list(kPois))));
    key("captions", array({inv.caption(kPolygons), inv.caption(kLines), inv.caption(kPois)}));
    key("levellist", array(levelLines(inv.list(kPolygons))));
    key("polylevels", jsonString(inv.polylevels));
    key("maxlevel", std::to_string(inv.maxlevel));
    key("map_id_label", f.mapIdLabel.empty() ? "null" : jsonString(f.mapIdLabel));
    key("nt_marker", f.ntMarker ? "true" : "false");
    key("fid", jsonString(f.fid));
    key("product_code", jsonString(f.productCode));
    key("messages", array(ui.messages()));
    key("error_log", jsonString(errors.text()), !complete);
    if (complete) key("complete", completeJson(inv), true);
    return out + "}\n";
}

// One line each; labels and fields come from files, so their control characters are escaped.
std::string listText(const MapState& map) {
    const TypeInventory& inv = map.inventory;
    const auto& f = map.fields;
    std::string out;
    const auto line = [&out](std::string_view text) { out += escapeControls(text) + "\n"; };
    for (int kind : {kPolygons, kLines, kPois}) line(inv.caption(kind));
    if (!f.mapIdLabel.empty()) line(f.mapIdLabel);
    if (f.ntMarker) line(kScanNtMap);
    line(concat({kScanFid, f.fid}));
    line(concat({kScanProductCode, f.productCode}));
    for (int kind : {kPolygons, kLines, kPois}) {
        line(kScanHeadings[kind]);
        for (const InventoryEntry& e : inv.list(kind)) line(entryText(e));
    }
    return out;
}

int scan(const ScanOptions& o, bool quiet) {
    Session session;
    // Like the desktop program: the state file decides the options the command line leaves open.
    startSession(session);
    CliUiPort ui(quiet);
    const int status = readMaps(session, ui, o.read);
    if (status == kFailed) return status; // nothing read: nothing to list
    const std::string text =
        o.json ? jsonText(session.map, session.errors, ui, o.read.complete) : listText(session.map);
    return writeStdout(text) ? status : kFailed;
}

} // namespace

Command scanCommand(CLI::App& cli, CommonOptions& common) {
    auto o = std::make_shared<ScanOptions>();
    CLI::App* app = cli.add_subcommand("scan", std::string(kScanAbout));
    addMapOptions(*app, o->read);
    addCommonOptions(*app, common);
    app->add_flag("--json", o->json, std::string(kJsonOption));
    app->footer(std::string(kScanFooter));
    return {app, [o, &common] { return scan(*o, common.quiet); }};
}

} // namespace kestrel::cli
