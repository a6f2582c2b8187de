#pragma once
// What the TYP text writer reads from its caller, and the few things it changes: the background
// polygons it adds to the inventory and the POI widths it caps.
#include <array>
#include <string>

#include "base/uiport.h"
#include "colour/colour_value.h"
#include "mapread/map_state.h"

namespace kestrel {

// Style modes per kind.
inline constexpr int kModeCatalogue = 0;
inline constexpr int kModeColorPicker = 1;
inline constexpr int kModeTypeOnBmp = 10;

// The settings that shape the blocks.
struct TypTextStyle {
    std::array<bool, 3> kinds{true, true, true}; // `kindsel`: the kinds that take part
    std::array<int, 3> kindmode{kModeTypeOnBmp, kModeColorPicker, kModeTypeOnBmp};
    ColourSlots colourSlots = kDefaultColourSlots; // backgrounds of the type-number bitmaps
    bool include4b4a = true;                       // "Include &4B,&4A Polygons"
};

// Sides of the generated POI icons, in pixels: POIs of type 0x2A00 and above, and the lower
// types (cities and the like).
struct PoiWidths {
    int poi = 16;
    int city = 16;
};

struct TypTextContext {
    TypeInventory& inventory; // the background polygons may be added to it
    const MapFields& fields;  // family ID, product code, NT marker
    TypTextStyle style;
    PoiWidths& widths;   // capped at 32 when written; the type-number mode sets the city width
    std::string syspath; // the data folder holding the icon files
    float ver;           // named in the text's comment line
    UiPort& ui;
};

} // namespace kestrel
