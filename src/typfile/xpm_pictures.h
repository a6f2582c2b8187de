#pragma once
// The pictures of a TYP text in the model: which colour of an XPM is a line's or polygon's day and
// night colour, its pattern, and an icon's palette and pixels, as mkgmap stores them.
#include <optional>

#include "typfile/elements.h"
#include "typfile/pictures.h"
#include "typfile/xpm_reader.h"

namespace kestrel::typ {

struct PairedColours {
    ColourPair day;
    std::optional<ColourPair> night;
    std::optional<Pattern> pattern;
    // mkgmap writes a damaged record for these; kestrel leaves the colour out.
    bool nightLeftOut = false; // "0 0 2 0" with a transparent second colour
    bool thirdLeftOut = false; // a line of three colours
};

// `border`: the line has a border width (a line of two colours then has a border colour, not a
// night colour).
PairedColours pairedColours(const XpmPicture& p, bool border);
// A point's or icon set's picture (the reader made sure it has pixels and fits in 255 x 255).
Image iconImage(const XpmPicture& p);

} // namespace kestrel::typ
