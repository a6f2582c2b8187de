#include "mapread/style_texts.h"

#include "base/files.h"
#include "base/paths.h"
#include "base/text.h"
#include "mapread/poi_label_table.h"

namespace kestrel {
namespace {

constexpr std::array<std::string_view, 6> kStyleFiles{
    "polygons_.txt", "polylines_.txt", "pois_.txt", "s290", "e305", "i84"};
constexpr std::size_t kFirstScrambled = 3;
constexpr unsigned char kScrambleKey = 0x5A;

} // namespace

StyleTexts loadStyleTexts(const std::string& folder) {
    StyleTexts t;
    for (std::size_t slot = 0; slot < t.size(); ++slot) {
        std::string text = lcase(readTextIfPresent(joinPath(folder, kStyleFiles[slot])));
        t[slot] = slot >= kFirstScrambled ? xortxt(text) : text;
    }
    return t;
}

std::vector<std::string_view> missingNameTexts(const std::string& folder) {
    std::vector<std::string_view> missing;
    for (std::size_t slot = 0; slot < kFirstScrambled; ++slot)
        if (!fileExists(joinPath(folder, kStyleFiles[slot]))) missing.push_back(kStyleFiles[slot]);
    return missing;
}

std::string xortxt(std::string_view s1) {
    if (s1.empty() || startsWith(s1, "0x1")) return std::string(s1);
    std::string r(s1);
    for (char& c : r) {
        const auto b = static_cast<unsigned char>(c);
        if (b > 9) c = static_cast<char>(b ^ kScrambleKey);
    }
    return replaceAll(r, "-*", "\r\n");
}

void a_n_p(StyleTexts& styletxt) {
    std::string table;
    for (const PoiLabel& l : kPoiLabels) {
        table.append(l.code);
        table.push_back(' ');
        table.append(l.name);
        table.append("\r\n");
    }
    styletxt[2] = table + styletxt[2];
}

} // namespace kestrel
