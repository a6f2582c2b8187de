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

// One file of a batch (`loadbinary`, `hon`, the current file, `get_dataTRE`). The file is the
// current one while it is read, and stays the current map (the caption, the status line, the
// folder of its TYP files) only when it gave something: otherwise the map read before keeps
// that place, or nothing does.
// `step` of `steps` names the file on the progress line.
void readFile(const MapReadContext& c, MapReader& reader, const std::string& name,
              const std::string& path, int k, int treK, std::size_t step, std::size_t steps) {
    MapState& map = c.map;
    const std::size_t unreadable = map.unreadable.size();
    const std::string shownFile = map.currentFile, shownFolder = map.mapFolder;
    c.ui.nowReading(path, step, steps);
    reader.loadbinary(name, path, k);
    c.ui.busy(true);
    map.currentFile = path;
    reader.get_dataTRE(treK);
    if (map.unreadable.size() == unreadable) return;
    map.currentFile = shownFile;
    map.mapFolder = shownFolder;
}

} // namespace

bool acceptedMapName(const std::string& lowered) {
    return !contains(lowered, ".") || contains(lowered, ".img") || contains(lowered, ".gmp");
}

void resetForBatch(MapState& map, UiPort& ui) {
    fileNew(map);
    map.currentFile.clear();
    map.mapFolder.clear();
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
        readFile(c, reader, lowered, path, position, position, k, paths.size());
        if (k == 0) first = path;
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
    readFile(c, reader, path, path, 0, 0, 0, 1);
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
        readFile(c, reader, entry, real[k], n, 0, k, named);
        if (k == 0) first = real[k];
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
