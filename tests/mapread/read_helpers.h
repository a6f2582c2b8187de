#pragma once
// Reading synthetic maps in tests: a session with empty name texts plus the built-in POI table,
// and the reader run over bytes in memory or over files on disk.
#include <string>
#include <vector>

#include "app/session.h"
#include "mapread/map_buffer.h"
#include "mapread/map_reader.h"
#include "mapread/style_texts.h"
#include "support/fake_ui.h"

namespace kestrel::test {

struct Reading {
    Session session;
    FakeUi ui;

    Reading() {
        a_n_p(session.styletxt);
        session.settings.draworder = false;
    }

    // `get_dataTRE` over the bytes as the file at position k of a batch.
    Reading& read(const std::string& bytes, int k = 0, const std::string& name = "map.img") {
        MapReader reader(session, ui);
        reader.setBuffer(name, MapBuffer::fromBytes(bytes));
        reader.get_dataTRE(k);
        return *this;
    }

    const std::vector<std::string>& polygons() const { return session.inventory.list(kPolygons); }
    const std::vector<std::string>& lines() const { return session.inventory.list(kLines); }
    const std::vector<std::string>& pois() const { return session.inventory.list(kPois); }
    const std::vector<std::string>& levellist() const { return session.inventory.levellist; }
};

} // namespace kestrel::test
