#pragma once
// The bitmaps of the TYP text: the nine stripe fills, the polygon pictures, the digit glyphs and
// the type-number bitmap, and the icon files of the data folder. Rows come back quoted, each
// followed by CR LF, ready to follow the colour lines.
#include <string>
#include <string_view>

namespace kestrel {

// Rows of stripe bitmap 0 to 8 (32 x 32); empty for any other index.
const std::string& bmpstripes(int index);

struct PolygonPicture {
    std::string colour0; // full colour line text without quotes, e.g. "0 c #3F3F3F"; empty for 9
    std::string colour1;
    std::string rows; // 32 quoted rows
};
// Pictures 1 to 9 (9: no colour lines, 32 rows of "0"); other numbers give picture 9.
const PolygonPicture& polygonPicture(int n);

// Glyph of value 0 to 15 as ten rows of ten "0"/"1" joined by CR LF; `odd` picks the second form
// of the glyph 1. Empty for values outside 0 to 15.
std::string get_number2(int value, bool odd);

// The 32 rows of the type-number bitmap for a code's digits (the text after "0x"). Characters
// that are not hexadecimal digits leave their place empty; only the first four places are drawn.
std::string get_bmp2(std::string_view digits);

// Icon file N (`syspath`/bmps/N.txt): every line closed by a double quote, each followed by CR LF;
// empty when the file cannot be read, is empty, or is larger than 1 MiB.
std::string bmp(const std::string& syspath, int n);

} // namespace kestrel
