#pragma once
// The six name/style texts that ship in the data folder, and their descrambling.
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

using StyleTexts = std::array<std::string, 6>;

// Slot 0 "polygons_.txt", 1 "polylines_.txt", 2 "pois_.txt" (read, lower-cased); 3 "s290",
// 4 "e305", 5 "i84" (read, lower-cased, then `xortxt`). A missing file gives an empty text.
StyleTexts loadStyleTexts(const std::string& folder);

// The name texts (slots 0 to 2) the folder lacks, by file name: without them no type has a name.
std::vector<std::string_view> missingNameTexts(const std::string& folder);

// Descrambles a style text: bytes above 9 XOR 0x5A, then "-*" becomes CR LF. An empty text or
// one starting "0x1" comes back unchanged.
std::string xortxt(std::string_view s1);

// Puts the built-in POI label table in front of slot 2.
void a_n_p(StyleTexts& styletxt);

} // namespace kestrel
