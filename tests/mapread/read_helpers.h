#pragma once
// Reading synthetic maps in tests: the reader's parts with empty name texts plus the built-in POI
// table, and the reader run over bytes in memory or over files on disk.
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "mapread/map_batch.h"
#include "mapread/map_buffer.h"
#include "mapread/map_reader.h"
#include "mapread/style_texts.h"
#include "support/fake_ui.h"
#include "support/golden_file.h"

namespace kestrel::test {

struct Reading {
    MapState map;
    ErrorLog errors;
    StyleTexts styletxt;
    MapReadOptions options;
    FakeUi ui;

    Reading() {
        a_n_p(styletxt);
        options.draworder = false;
    }

    MapReadContext context() { return {map, errors, styletxt, options, ui}; }

    // `get_dataTRE` over the bytes as the file at position k of a batch.
    Reading& read(const std::string& bytes, int k = 0, const std::string& name = "map.img") {
        MapReader reader(context());
        reader.setBuffer(name, MapBuffer::fromBytes(bytes));
        reader.get_dataTRE(k);
        return *this;
    }
    // File > Open of the paths; the map that heads the recent list now.
    std::optional<std::string> open(const std::vector<std::string>& paths) {
        return openBatch(context(), paths);
    }

    std::vector<std::string> polygons() const { return entryTexts(map.inventory.list(kPolygons)); }
    std::vector<std::string> lines() const { return entryTexts(map.inventory.list(kLines)); }
    std::vector<std::string> pois() const { return entryTexts(map.inventory.list(kPois)); }
    std::vector<std::string> levellist() const { return levelLines(map.inventory.list(kPolygons)); }

    // What the reading left, for golden files: the lists, levels, fields, messages and log.
    std::string summary() const {
        const TypeInventory& in = map.inventory;
        std::string s =
            concat({"polygons: ", join(polygons(), "|"), "\nlines: ", join(lines(), "|")});
        s += concat({"\npois: ", join(pois(), "|"), "\nlevellist: ", join(levellist(), "|")});
        s += concat({"\npolylevels: ", in.polylevels, " maxlevel: ", std::to_string(in.maxlevel)});
        s += concat({" nt: ", std::to_string(map.fields.ntMarker), " ", map.fields.mapIdLabel});
        return s + concat({"\nmessages: ", join(ui.messages, "|"), "\nlog: ", errors.text(), "\n"});
    }
};

// A table of readings: each row reads what it builds; all summaries together are the golden file.
using ReadingRow = std::pair<const char*, std::function<void(Reading&)>>;
inline void expectReadingsGolden(const std::string& file, const std::vector<ReadingRow>& rows) {
    std::string all;
    for (const auto& [name, run] : rows) {
        SCOPED_TRACE(name);
        Reading r;
        run(r);
        all += concat({"== ", name, "\n", r.summary()});
    }
    expectGoldenFile(file, all);
}

} // namespace kestrel::test
