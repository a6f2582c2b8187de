#pragma once
// Reading synthetic maps in tests: the reader's parts with empty name texts plus the built-in POI
// table, and the reader run over bytes in memory or over files on disk.
#include <optional>
#include <string>
#include <vector>

#include "mapread/map_batch.h"
#include "mapread/map_buffer.h"
#include "mapread/map_reader.h"
#include "mapread/style_texts.h"
#include "support/fake_ui.h"

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
};

} // namespace kestrel::test
