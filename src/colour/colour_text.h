#pragma once
// Colour texts of the colour windows: six hexadecimal digits red, green, blue (RRGGBB, no "#"),
// and their conversion to colour values (red + 256 x green + 65536 x blue). The way back, a
// value to its RRGGBB text, is `rev`(value) of typtext/colour_code.h.
#include <string>
#include <string_view>

#include "app/settings.h"
#include "typtext/colour_code.h"

namespace kestrel {

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
