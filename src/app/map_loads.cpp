#include "app/map_loads.h"

#include <optional>

#include "app/recent_list.h"
#include "base/paths.h"
#include "mapread/map_batch.h"

namespace kestrel {
namespace {

void remember(Session& session, const std::optional<std::string>& first) {
    if (first) updatmf(session.settings.recent, *first);
}

} // namespace

MapReadContext mapReading(Session& session, UiPort& ui) {
    MapReadOptions options;
    options.highways = session.highways;
    options.draworder = session.settings.draworder;
    options.complete = session.settings.completeScan;
    options.dumpflag = session.settings.dumpflag;
    options.dumpFile = joinPath(session.paths.userdir, "temp.img");
    options.sampleMap = session.paths.sampleMap;
    return {session.map, session.errors, session.styletxt, options, ui};
}

void openMaps(Session& session, UiPort& ui, const std::vector<std::string>& paths) {
    if (paths.empty()) return;
    session.settings.lastdir = paths.front();
    session.busy = true;
    remember(session, openBatch(mapReading(session, ui), paths));
    session.busy = false;
}

bool openRecentMap(Session& session, UiPort& ui, const std::string& path) {
    const std::optional<std::string> loaded = loadRecent(mapReading(session, ui), path);
    remember(session, loaded);
    return loaded.has_value();
}

void dropMaps(Session& session, UiPort& ui, const std::string& names) {
    remember(session, loadole(mapReading(session, ui), names));
}

} // namespace kestrel
