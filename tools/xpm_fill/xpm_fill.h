#pragma once
// Reading a fill part of the TYP text (the Xpm header, the colour lines and the quoted rows), as
// the icon files of the data folder hold it: for the tests that check them and for render_bitmaps,
// which draws them. The programs never read a fill.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

struct XpmColour {
    char key = 0;
    std::optional<std::uint32_t> rgb; // 0xRRGGBB; nothing for the transparent "none"
};

struct XpmFill {
    int width = 0;
    int height = 0;
    std::vector<XpmColour> colours;
    std::vector<std::string> rows; // unquoted, `width` pixel characters each

    const XpmColour* colour(char key) const;
};

struct XpmReadResult {
    std::optional<XpmFill> fill;
    std::string error; // what is wrong, when there is no fill
};

// Reads a fill of one character per pixel; lines end in CR LF or LF.
XpmReadResult readXpmFill(std::string_view text);

} // namespace kestrel
