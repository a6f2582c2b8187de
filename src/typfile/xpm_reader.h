#pragma once
// The pictures of a TYP text: an XPM header line ("W H C P", the rest of the line after it
// ignored, such as a TYP editor's Colormode=16), C colour lines ("TAG c #RRGGBB", "TAG c none",
// "#RRGGBBAA", an alpha=N after the closing quote), then H rows of W tags of P characters, or for
// true colour (C = 0) quoted lines of #RRGGBB values. Read as mkgmap reads them, with its checks,
// its order of colours and its choice of colour mode.
#include <cstdint>
#include <string>
#include <vector>

#include "typfile/text_scanner.h"

namespace kestrel::typ {

// A colour as mkgmap holds it: red, green, blue and an opacity (255 opaque, 0 transparent). A
// text can give values out of range (a sign, alpha=16); they are cut to bytes when written.
struct XpmColour {
    std::int32_t red = 0, green = 0, blue = 0, opacity = 255;
    bool transparent() const { return opacity == 0; }
    bool partlyTransparent() const { return opacity != 0 && opacity != 255; }
};

// What a picture is for: lines and polygons have two-colour patterns, points and icons images.
enum class PictureUse : std::uint8_t { Polygon, Line, Icon };

struct XpmPicture {
    std::uint32_t width = 0, height = 0;
    std::int32_t colourCount = 0;   // the header's C
    std::vector<XpmColour> colours; // in mkgmap's order (see xpm_reader.cpp)
    // Icons: 0x00 opaque, 0x10 one transparent colour (the last of `colours`), 0x20 alpha.
    std::uint8_t colourMode = 0;
    bool twoTransparent = false;           // an icon with more than one transparent colour
    bool hasPixels = false;                // width and height are both above 0
    std::vector<std::uint8_t> indices;     // with colours: width x height indices into `colours`
    std::vector<std::uint32_t> trueColour; // C = 0: width x height 0xRRGGBBAA values
};

// A colour value as mkgmap reads it ("#RRGGBB", "RRGGBB", "#RRGGBBAA"); refuses the text (at the
// scanner's line) when it is none.
XpmColour parseColour(TextScanner& scanner, std::string_view text);

// Reads a picture whose header is `header` (the value after Xpm=) from the scanner, which stands
// at the line after it.
XpmPicture readXpm(TextScanner& scanner, std::string_view header, PictureUse use);

} // namespace kestrel::typ
