#pragma once
// The values kept in the state file "kestrel.dat", one field per line of that file.
#include <array>
#include <cstdint>
#include <string>

namespace kestrel {

// Colour value: red + 256 x green + 65536 x blue.
using ColourValue = std::int32_t;

inline constexpr ColourValue kWhite = 16777215;
inline constexpr ColourValue kYellow = 65535;

// Style modes per kind.
inline constexpr int kModeCatalogue = 0;
inline constexpr int kModeColorPicker = 1;
inline constexpr int kModeTypeOnBmp = 10;

struct Settings {
    std::string lastdir;          // line 3
    std::string reserved5;        // line 5, carried
    std::string reserved6;        // line 6, carried
    std::string carried7;         // line 7, carried
    std::string tinkerPath;       // line 8: the external TYP editor
    bool dumpflag = false;        // line 9
    std::string tdbEditorPath;    // line 10
    std::string codepage = "1252"; // line 11
    std::string typfile;          // line 12 (staged; see start-up)
    bool draworder = true;        // line 16: "Polygon Draworder Attempt"
    std::string poiWidth = "16";  // line 17: non-city POIs (0x2A00 and above)
    std::string cityPoiWidth = "16"; // line 18
    std::array<int, 3> kindmode{kModeTypeOnBmp, kModeColorPicker, kModeTypeOnBmp}; // 19-21
    std::array<std::string, 7> recent{}; // lines 22-28: File items 10 to 16
    int extendDirectories = 0;    // line 29: option of the selection window
    std::string carried30;        // line 30, carried
    std::string carried31;        // line 31, carried
    std::array<std::string, 3> kindsel{"1", "1", "1"}; // lines 32-34
    std::array<ColourValue, 4> colourSlots{kWhite, kYellow, kWhite, kYellow}; // lines 35-38
    bool variousIcons = false;    // line 39: "Use various default icons (school,parking etc)"
    bool include4b4a = true;      // line 40: "Include &4B,&4A Polygons"
    std::string updatePageUrl;    // line 41: version page; empty means the built-in address
    std::string downloadUrl;      // line 42: download page; empty means the built-in address
};

} // namespace kestrel
