#include "mapread/map_batch.h"

#include <algorithm>

#include "base/paths.h"
#include "base/text.h"
#include "mapread/add_draworder.h"
#include "mapread/map_reader.h"
#include "mapread/messages.h"

namespace kestrel {
namespace {

void finishBatch(const MapReadContext& c) {
    if (c.options.draworder) add_draworder(c.map.inventory);
}

} // namespace

bool acceptedMapName(const std::string& lowered) {
    return !contains(lowered, ".") || contains(lowered, ".img") || contains(lowered, ".gmp");
}

void resetForBatch(MapState& map, UiPort& ui) {
    fileNew(map);
    ui.setStopflag(false);
}

std::optional<std::string> openBatch(const MapReadContext& c,
                                     const std::vector<std::string>& paths) {
    if (paths.empty()) return std::nullopt;
    UiPort& ui = c.ui;
    ui.busy(true);
    resetForBatch(c.map, ui);
    MapReader reader(c);
    std::optional<std::string> first;
    const std::size_t last = paths.size() - 1;
    for (std::size_t k = 0; k < paths.size(); ++k) {
        const std::string& path = paths[k];
        if (k == 0) c.map.mapfile = path;
        if (!fileExists(path)) {
            // Missing or a folder: the batch ends here, and says why.
            c.map.unreadable.push_back(
                {path, checkMapFile(path).value_or(Unreadable{UnreadableReason::NoSuchFile, {}})});
            break;
        }
        if (contains(path, "*")) break;
        // The lower-cased name serves the name tests; on file systems that tell case apart the
        // file is opened, shown and remembered by its real name.
        const std::string lowered = lcase(path);
        if (!acceptedMapName(lowered)) {
            ui.message(std::string(msg::kNotAnImg));
            break;
        }
        const int position = static_cast<int>(k);
        ui.nowReading(path, k, paths.size());
        reader.loadbinary(lowered, path, position);
        ui.busy(true);
        c.map.currentFile = path;
        if (k == 0) first = path;
        reader.get_dataTRE(position);
        if (k > 0) ui.progress(static_cast<float>(k) / static_cast<float>(last) * 100.0f);
        if (ui.stopflag()) break;
    }
    finishBatch(c);
    ui.progress(1);
    ui.busy(false);
    return first;
}

std::optional<std::string> loadRecent(const MapReadContext& c, const std::string& path) {
    if (path.empty() || contains(path, "*") || !fileExists(path)) return std::nullopt;
    resetForBatch(c.map, c.ui);
    MapReader reader(c);
    c.ui.nowReading(path, 0, 1);
    reader.loadbinary(path, path, 0);
    c.map.currentFile = path;
    reader.get_dataTRE(0);
    finishBatch(c);
    c.ui.busy(false);
    c.ui.progress(1);
    return path;
}

std::optional<std::string> loadole(const MapReadContext& c, const std::string& names) {
    resetForBatch(c.map, c.ui);
    const std::vector<std::string> real = split(names, "\r\n");
    const int n = static_cast<int>(real.size()) - 1;
    const auto named = static_cast<std::size_t>(
        std::count_if(real.begin(), real.end(), [](const std::string& e) { return !e.empty(); }));
    MapReader reader(c);
    std::optional<std::string> first;
    for (std::size_t k = 0; k < real.size(); ++k) {
        const std::string entry = lcase(real[k]);
        if (entry.empty()) continue;
        const bool accepted =
            endsWith(entry, ".gmp") || (endsWith(entry, ".img") && entry != c.map.mapfile);
        if (!accepted) break;
        c.ui.nowReading(real[k], k, named);
        reader.loadbinary(entry, real[k], n);
        c.ui.busy(true);
        c.map.currentFile = real[k];
        if (k == 0) first = real[k];
        reader.get_dataTRE(0);
    }
    c.ui.busy(false);
    return first;
}

void fileNew(MapState& map) {
    map.inventory.reset();
    map.container = MapContainer{};
    map.fields.ntMarker = false;
    map.fields.highwaysHintShown = false;
    map.unreadable.clear();
}

} // namespace kestrel
