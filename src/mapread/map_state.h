#pragma once
// What reading maps leaves behind for the windows, the command line and the TYP writer: the
// inventory, the current map and the main window's fields. The session owns one; each batch
// replaces what the previous one found.
#include <string>
#include <vector>

#include "mapread/map_container.h"
#include "mapread/type_inventory.h"
#include "mapread/unreadable.h"

namespace kestrel {

// The fields of the main window that the map reader fills and the TYP writer reads.
struct MapFields {
    std::string fid = "1212";  // `Text1`
    std::string productCode;   // `Text2`
    bool fieldsLocked = false; // shown on light green, locked, after a TDB read
    std::string tdbFile;       // TDB file found for the current map; empty when none
    std::string mapIdLabel;    // "ID:" + Str(map ID); empty until a TRE was read
    bool ntMarker = false;     // the "NT Map" label
    bool highwaysHintShown = false;
};

struct MapState {
    TypeInventory inventory;
    MapFields fields;
    MapContainer container;  // the current map file: name, XOR key, subfile header starts
    std::string mapfile;     // first map of the current batch
    std::string currentFile; // the file being read, by its real name (the window's caption)
    std::string mapFolder;   // the folder of the map last read, from its real path
    std::vector<UnreadableMap> unreadable; // files of the batch that gave nothing, in order
};

} // namespace kestrel
