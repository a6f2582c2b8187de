#include "app/map_loads.h"

#include <algorithm>
#include <optional>

#include "app/messages.h"
#include "app/recent_list.h"
#include "base/paths.h"
#include "base/text.h"
#include "mapread/map_batch.h"
#include "mapread/unreadable.h"

namespace kestrel {
namespace {

void remember(Session& session, const std::optional<std::string>& first) {
    if (first) updatmf(session.settings.recent, *first);
}

// The message names this many maps at most, each path shortened to this many characters, so
// that it fits a small screen, one map a line; its details hold the whole list.
constexpr std::size_t kNamedMaps = 15;
constexpr std::size_t kShownPathLength = 40;

void sayUnreadable(UiPort& ui, const std::vector<UnreadableMap>& maps) {
    std::string text(kUnreadableMaps), details;
    bool cut = maps.size() > kNamedMaps;
    for (std::size_t i = 0; i < maps.size(); ++i) {
        const std::string why = ": " + describe(maps[i].why);
        const std::string path = escapeControls(maps[i].path);
        details += (i ? "\r\n" : "") + path + why;
        if (i >= kNamedMaps) continue;
        const std::string shown = shortenedPath(path, kShownPathLength);
        cut = cut || shown != path;
        text += "\r\n" + shown + why;
    }
    if (maps.size() > kNamedMaps) text += "\r\n" + moreMaps(maps.size() - kNamedMaps);
    ui.detailedMessage(text, cut ? details : "");
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

void openNamedMaps(Session& session, UiPort& ui, const std::vector<std::string>& paths) {
    // What cannot even be opened is set aside before anything is read.
    std::vector<UnreadableMap> unreadable;
    std::string names;
    for (const std::string& path : paths) {
        if (const auto why = checkMapFile(path))
            unreadable.push_back({path, *why});
        else
            names += path + "\r\n";
    }
    if (!names.empty()) {
        MapReadContext reading = mapReading(session, ui);
        reading.options.unreadableNamed = true;
        const std::optional<std::string> first = loadole(reading, names);
        const std::vector<UnreadableMap>& failed = session.map.unreadable;
        if (first && std::none_of(failed.begin(), failed.end(),
                                  [&](const UnreadableMap& m) { return m.path == *first; }))
            remember(session, first);
        unreadable.insert(unreadable.end(), failed.begin(), failed.end());
    }
    if (!unreadable.empty()) sayUnreadable(ui, unreadable);
}

} // namespace kestrel
