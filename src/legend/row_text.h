#pragma once
// The texts of a legend row, for the picture and the page alike.
#include <string>
#include <string_view>
#include <vector>

#include "legend/legend_sheet.h"

namespace kestrel::legend {

struct RowText {
    std::string_view kind;           // "polygon", "line", "point"
    std::string code;                // "0x2F06", "0x10F04"
    std::string level;               // polygons: "level 3" or "not in the draw order"
    std::string objects;             // beside a map: "12 objects"
    std::vector<std::string> labels; // "Forest (English)"
    std::string font;                // "normal font"
    std::string labelColours;        // "#112233, #445566 by night", "the device's"
};

RowText rowText(const Sheet& sheet, const Row& row);
// The labels of the row's element; none for a type the TYP leaves unstyled.
const typ::Labelling* labellingOf(const Sheet& sheet, const Row& row);
// "0x2F06": four hexadecimal digits at least, as the TYP texts write codes.
std::string codeText(typ::ElementCode code);
// "#1A2B3C".
std::string colourText(typ::Rgb colour);
// One line of the row's facts: code, level, objects; the kind first where kinds are mixed.
std::string factsLine(const RowText& text, bool withKind = false);
// One line of its labels, font and colours.
std::string labelsLine(const RowText& text);

} // namespace kestrel::legend
