#pragma once
// Colour texts: six hexadecimal digits red, green, blue (RRGGBB, no "#"), and their conversion
// to and from colour values (red + 256 x green + 65536 x blue).
#include <string>
#include <string_view>

#include "colour/colour_value.h"

namespace kestrel {

// `rev`: the colour text of a colour value (red + 256 x green + 65536 x blue).
std::string rev(ColourValue value);

// `rev`: pads the colour text on the left with "0" to six digits and reverses its three digit
// pairs (RRGGBB becomes BBGGRR), so that the hexadecimal value of the result is the colour
// value. Only the last six digits of a longer text count: a colour has 24 bits. Upper case.
std::string rev(std::string_view colourText);

// `reversehex`: the screen picker's twin of `rev`, for the hexadecimal text of a colour value
// (BBGGRR) read from the screen; gives the RRGGBB text.
std::string reversehex(std::string_view valueHex);

// The colour value a colour text stands for ("&h" + `rev` of the text).
ColourValue colourFromText(std::string_view colourText);

} // namespace kestrel
