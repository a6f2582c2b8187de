#pragma once
// The values kept in the state file "kestrel.dat", one field per line of that file. They are
// typed here; they become text, and are read back, only in the state file (and the POI widths in
// the settings form, whose fields the user types).
#include <array>
#include <string>

#include "base/code_page.h"
#include "colour/colour_value.h"
#include "typtext/typ_text_context.h"

namespace kestrel {

struct Settings {
    std::string lastdir;       // line 3
    std::string reserved5;     // line 5, carried
    std::string reserved6;     // line 6, carried
    std::string carried7;      // line 7, carried
    std::string tinkerPath;    // line 8: the external TYP editor
    bool dumpflag = false;     // line 9
    std::string tdbEditorPath; // line 10
    CodePage codepage;         // line 11: the "Codepage" box
    std::string typfile;       // line 12 (staged; see start-up)
    bool draworder = true;     // line 16: "Polygon Draworder Attempt"
    PoiWidths poiWidths;       // line 17: non-city POIs (0x2A00 and above); line 18: cities
    std::array<int, 3> kindmode{kModeTypeOnBmp, kModeColorPicker, kModeTypeOnBmp}; // 19-21
    std::array<std::string, 7> recent{};           // lines 22-28: File items 10 to 16
    int extendDirectories = 0;                     // line 29: option of the selection window
    std::string carried30;                         // line 30, carried
    std::string carried31;                         // line 31, carried
    std::array<bool, 3> kindsel{true, true, true}; // lines 32-34: the kinds that take part
    ColourSlots colourSlots = kDefaultColourSlots; // lines 35-38
    bool variousIcons = false; // line 39: "Use various default icons (school,parking etc)"
    bool include4b4a = true;   // line 40: "Include &4B,&4A Polygons"
    std::string updatePageUrl; // line 41: version page; empty means the built-in address
    std::string downloadUrl;   // line 42: download page; empty means the built-in address
    bool completeScan = false; // line 43: "Complete scan"
};

// A POI width from the number the state file or the settings window holds: rounded to a whole
// number, halves to even; below 1 it is 0, which start-up replaces by 16 and icons draw as 1.
int poiWidthOf(double number);

} // namespace kestrel
