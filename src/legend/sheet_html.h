#pragma once
// The legend as one self-contained HTML page: its swatches are PNG images inside it (data: URIs);
// no script, no style sheet or image from elsewhere, so it reads the same without a network.
#include <string>
#include <string_view>

#include "legend/legend_sheet.h"

namespace kestrel::legend {

std::string sheetHtml(const Sheet& sheet, std::string_view title);

} // namespace kestrel::legend
