#pragma once
// What a map read needs from its caller: where the results go, the texts that label them, the
// error log and the options of the read. The caller owns every part.
#include <string>

#include "base/error_log.h"
#include "base/uiport.h"
#include "mapread/map_state.h"
#include "mapread/style_texts.h"

namespace kestrel {

struct MapReadOptions {
    bool highways = false; // "Highways+": the standard highway types are added to the lines
    bool draworder = true; // "Polygon Draworder Attempt": draw-order markers after each batch
    bool complete = false; // "Complete scan": every object decoded, with counts and levels
    bool dumpflag = false; // a masked map's unmasked bytes are written to `dumpFile`
    std::string dumpFile;  // "temp.img" in the user's folder
    std::string sampleMap; // the bundled map: its missing TDB file is not reported
    // The caller names every map that gave nothing in a message of its own, so a first file
    // without map data does not say "No information found." on top of it.
    bool unreadableNamed = false;
};

struct MapReadContext {
    MapState& map;
    ErrorLog& errors;
    const StyleTexts& styletxt;
    MapReadOptions options;
    UiPort& ui;
};

} // namespace kestrel
