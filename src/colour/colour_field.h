#pragma once
// The colour field of the colour-slot window: hue runs across the field from 0 to 360 degrees,
// lightness runs down from white (100) through the pure hues on the middle line (50) to black (0),
// at full saturation. The window paints the field from `fieldColour` and picks colours from its
// pixels, so `find_color` and the picture always agree.
#include "colour/colour_value.h"

namespace kestrel {

struct FieldPoint {
    int x = 0;
    int y = 0;
};

// The colour of the field's pixel (x, y) in a field of width x height pixels.
ColourValue fieldColour(int x, int y, int width, int height);

// `find_color`: where a colour lies in the field (its hue across, its lightness down). Colours
// of full saturation come back from that pixel nearly unchanged; for duller colours the pixel
// has the same hue and lightness at full saturation.
FieldPoint find_color(ColourValue colour, int width, int height);

} // namespace kestrel
