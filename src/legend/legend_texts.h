#pragma once
// The legend's sentences for the command line and the desktop alike: its title, and why an input
// or a sheet is refused.
#include <optional>
#include <string>
#include <string_view>

#include "legend/legend_input.h"
#include "legend/legend_sheet.h"

namespace kestrel::legend {

// "Legend of style.typ", "Legend of I2023100.TYP in map.img beside map.img".
std::string legendTitle(std::string_view inputPath, const LegendInput& input,
                        std::optional<std::string_view> mapPath = std::nullopt);
// "no such file", "line 12: ...", "no TYP file inside", "larger than any TYP file".
std::string inputFaultText(const InputFault& fault);
// "point 0x2F06: an icon whose pixels are not its width x height; nothing drawn".
std::string sheetFaultText(const SheetFault& fault);
// "the legend would be 800 x 40000 pixels, more than a PNG holds; write .svg or .html".
std::string tooLargeText(const TooLargeForPicture& size);

} // namespace kestrel::legend
