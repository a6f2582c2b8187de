#include "cli/map_options.h"

#include "app/map_loads.h"
#include "app/startup.h"
#include "base/platform/platform.h"
#include "base/text.h"
#include "cli/messages.h"
#include "mapread/map_batch.h"
#include "mapread/style_texts.h"
#include "mapread/unreadable.h"

namespace kestrel::cli {

void addMapOptions(CLI::App& app, MapOptions& o) {
    app.add_flag("--highways", o.highways, std::string(kHighwaysOption));
    app.add_flag("--complete", o.complete, std::string(kCompleteOption));
    auto* on = app.add_flag("--draworder", o.draworder, std::string(kDraworderOption));
    app.add_flag("--no-draworder", o.noDraworder, std::string(kNoDraworderOption))->excludes(on);
    app.add_option("--data", o.dataDir, std::string(kDataOption))
        ->check(existingFolder())
        ->type_name("DIR");
    app.add_option("MAP", o.maps, std::string(kMapsOption))->required()->type_name("");
}

void startSession(Session& session) {
    const std::string apppath = platform::programFolder();
    startup(session, apppath, installedDataFolder(apppath, KESTREL_INSTALL_DATADIR));
}

int readMaps(Session& session, CliUiPort& ui, const MapOptions& o) {
    session.highways = o.highways;
    if (o.draworder || o.noDraworder) session.settings.draworder = o.draworder;
    session.settings.completeScan = o.complete;
    const std::string data = o.dataDir.empty() ? session.paths.syspath : o.dataDir;
    if (const auto missing = missingNameTexts(data); !missing.empty())
        ui.note(noNameTexts(data, missing));
    // The session's start read the texts of its own data folder.
    if (!o.dataDir.empty()) {
        session.styletxt = loadStyleTexts(data);
        a_n_p(session.styletxt);
    }

    int skipped = 0;
    const auto skip = [&](const std::string& path, std::string_view why) {
        printError(skippedMap(path, why));
        ++skipped;
    };
    // Files the batch would stop at are left out, so that the others are still read.
    std::vector<std::string> readable;
    for (const std::string& path : o.maps) {
        if (const auto why = checkMapFile(path))
            skip(path, describe(*why));
        else if (!acceptedMapName(lcase(path)) || contains(path, "*"))
            skip(path, kNotMapName);
        else
            readable.push_back(path);
    }
    openMaps(session, ui, readable);
    for (const UnreadableMap& map : session.map.unreadable) skip(map.path, describe(map.why));
    if (session.map.container.filesRead == 0) return kFailed;
    return skipped > 0 ? kSomeSkipped : kDone;
}

} // namespace kestrel::cli
