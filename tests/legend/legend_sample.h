#pragma once
// A small TYP for the legend tests: polygons on three draw levels and one left out, a bordered
// line, a point with a night icon and labels in two languages.
#include <string_view>

#include "typfile/text_reader.h"

namespace kestrel::legend::test {

inline constexpr std::string_view kSampleText = R"([_drawOrder]
Type=0x4b,1
Type=0x01,2
Type=0x10f04,3
[end]
[_polygon]
Type=0x10f04
Xpm="0 0 1 0"
"1 c #0000FF"
[end]
[_polygon]
Type=0x02
Xpm="0 0 1 0"
"1 c #00FF00"
[end]
[_polygon]
Type=0x01
String1=0x04,Town
String2=0x02,Stadt
FontStyle=SmallFont
DayCustomColor=#102030
Xpm="0 0 1 0"
"1 c #FF0000"
[end]
[_polygon]
Type=0x4b
Xpm="0 0 1 0"
"1 c #FFFFE0"
[end]
[_line]
Type=0x01
LineWidth=4
BorderWidth=2
Xpm="0 0 2 0"
"1 c #FF8000"
"2 c #000000"
[end]
[_point]
Type=0x2f
SubType=0x06
DayXpm="2 2 2 1"
"a c #FF0000"
"b c none"
"ab"
"ba"
NightXpm="2 2 1 1"
"a c #0000FF"
"aa"
"aa"
[end]
)";

inline typ::TypFile sampleTyp() {
    return typ::readText(kSampleText).typ;
}

} // namespace kestrel::legend::test
