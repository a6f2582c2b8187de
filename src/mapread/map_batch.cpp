#include "mapread/map_batch.h"

#include "app/recent_list.h"
#include "base/paths.h"
#include "base/text.h"
#include "mapread/map_reader.h"
#include "mapread/messages.h"
#include "typtext/add_draworder.h"

namespace kestrel {
namespace {

// File > Open takes names without any ".", or with ".img" or ".gmp" anywhere.
bool acceptedName(const std::string& lowered) {
    return !contains(lowered, ".") || contains(lowered, ".img") || contains(lowered, ".gmp");
}

} // namespace

void resetForBatch(Session& session, UiPort& ui) {
    session.inventory.reset();
    session.container = MapContainer{};
    session.fields.ntMarker = false;
    session.fields.highwaysHintShown = false;
    ui.setStopflag(false);
}

void openBatch(Session& session, UiPort& ui, const std::vector<std::string>& paths) {
    if (paths.empty()) return;
    ui.busy(true);
    resetForBatch(session, ui);
    session.busy = true;
    MapReader reader(session, ui);
    const std::size_t last = paths.size() - 1;
    for (std::size_t k = 0; k < paths.size(); ++k) {
        const std::string& path = paths[k];
        if (k == 0) {
            session.mapfile = path;
            session.settings.lastdir = path;
        }
        if (!fileExists(path) || contains(path, "*")) break;
        // The lower-cased name serves the name tests and the captions; on file systems that
        // tell case apart the file is opened, and remembered, by its real name.
        const std::string lowered = lcase(path);
        if (!acceptedName(lowered)) {
            ui.message(std::string(msg::kNotAnImg));
            break;
        }
        const int position = static_cast<int>(k);
        reader.loadbinary(lowered, path, position);
        ui.busy(true);
        session.currentFile = lowered;
        if (k == 0) updatmf(session.settings.recent, path);
        reader.get_dataTRE(position);
        if (k > 0) ui.progress(static_cast<float>(k) / static_cast<float>(last) * 100.0f);
        if (ui.stopflag()) break;
    }
    add_draworder(session);
    ui.progress(1);
    session.busy = false;
    ui.busy(false);
}

bool loadRecent(Session& session, UiPort& ui, const std::string& path) {
    if (path.empty() || contains(path, "*") || !fileExists(path)) return false;
    resetForBatch(session, ui);
    MapReader reader(session, ui);
    reader.loadbinary(path, path, 0);
    updatmf(session.settings.recent, path);
    reader.get_dataTRE(0);
    add_draworder(session);
    ui.busy(false);
    ui.progress(1);
    return true;
}

void loadole(Session& session, UiPort& ui, const std::string& names) {
    resetForBatch(session, ui);
    const std::vector<std::string> real = split(names, "\r\n");
    const int n = static_cast<int>(real.size()) - 1;
    MapReader reader(session, ui);
    for (std::size_t k = 0; k < real.size(); ++k) {
        const std::string entry = lcase(real[k]);
        if (entry.empty()) continue;
        const bool accepted =
            endsWith(entry, ".gmp") || (endsWith(entry, ".img") && entry != session.mapfile);
        if (!accepted) break;
        reader.loadbinary(entry, real[k], n);
        ui.busy(true);
        session.currentFile = entry;
        if (k == 0) updatmf(session.settings.recent, real[k]);
        reader.get_dataTRE(0);
    }
    ui.busy(false);
}

void fileNew(Session& session) {
    session.inventory.reset();
    session.container = MapContainer{};
    session.fields.ntMarker = false;
    session.fields.highwaysHintShown = false;
}

} // namespace kestrel
