#pragma once
// Everything the program keeps while it runs, owned in one place (the main window, the command
// line or a test) and passed by reference to the operations that read or change it.
#include <array>
#include <string>

#include "app/settings.h"
#include "base/app_paths.h"
#include "base/error_log.h"
#include "mapread/map_container.h"
#include "mapread/type_inventory.h"
#include "typbin/section_slots.h"

namespace kestrel {

inline constexpr float kVersion = 5.1f;

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

struct Session {
    AppPaths paths;
    Settings settings;
    ErrorLog errors;
    TypeInventory inventory;
    std::array<std::string, 6> styletxt{}; // the six name/style texts, as loaded
    MapFields fields;
    MapContainer container;  // the current map file: name, XOR key, subfile header starts
    bool highways = false;   // "Highways+" box
    std::string mapfile;     // first map of the current batch
    std::string currentFile; // the file being read
    bool busy = false;
    bool txtdone = false;
    float ver = kVersion;
    TypSectionSlots typSlots; // sections of the extra POI file kept between generator runs
};

} // namespace kestrel
