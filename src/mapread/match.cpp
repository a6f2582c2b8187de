#include "mapread/match.h"

#include <array>
#include <exception>
#include <optional>
#include <string>

#include "base/text.h"

namespace kestrel {
namespace {

// Extended POI groups that have a standard twin: their codes are looked up as the twin's code
// followed by the subtype digits.
constexpr std::array<std::pair<std::string_view, std::string_view>, 7> kStandardTwins{{
    {"0x10b", "0x2a"},
    {"0x10c", "0x2b"},
    {"0x10d", "0x2c"},
    {"0x10e", "0x2d"},
    {"0x10f", "0x2e"},
    {"0x110", "0x2f"},
    {"0x111", "0x30"},
}};
constexpr std::string_view kSwappedGroup = "0x114"; // looked up as subtype + "00"

// Where the code is looked up the second time, or empty when no prefix fits.
std::string twinCode(const std::string& code) {
    const std::string rest = code.size() > 5 ? code.substr(5) : "";
    for (const auto& [ext, twin] : kStandardTwins)
        if (startsWith(code, ext)) return std::string(twin) + rest;
    if (startsWith(code, kSwappedGroup)) return rest + "00";
    return "";
}

// The label of the table line that the first occurrence of `code` starts: the line's text from
// its first blank (or first tab) on. Nothing when the code does not occur.
std::optional<std::string> findLabel(const std::string& table, const std::string& lowered,
                                     const std::string& code) {
    if (code.empty()) return std::nullopt;
    const std::size_t at = lowered.find(code);
    if (at == std::string::npos) return std::nullopt;
    const std::size_t end = table.find("\r\n", at);
    const std::string line = table.substr(at, end == std::string::npos ? end : end - at);
    std::size_t cut = line.find(' ');
    if (cut == std::string::npos) cut = line.find('\t');
    return cut == std::string::npos ? std::string() : line.substr(cut);
}

// Lines and POIs take a label only while their text is shorter than this: labels are never
// appended twice.
constexpr std::size_t kLabelledLength = 9;

void label(InventoryEntry& e, const std::string& table, const std::string& lowered, int slot) {
    const bool polygons = slot % 3 == kPolygons;
    const std::string text = entryText(e);
    if (!polygons && text.size() >= kLabelledLength) return;
    std::string code = lcase(std::string_view(text).substr(0, text.find(' ')));
    if (slot < 2 && code.size() > 4) code.resize(code.size() - 2);
    std::optional<std::string> found = findLabel(table, lowered, code);
    if (!found && slot != 0) found = findLabel(table, lowered, twinCode(code));
    if (!found) return;
    if (!polygons) {
        e.label = replaceAll(e.label + *found, "\t", " ");
        return;
    }
    if (contains(text, *found)) return;
    // The label goes before the first "(d": one inside an earlier label, or the first marker.
    if (const std::size_t d = e.label.find("(d"); d != std::string::npos)
        e.label.insert(d, *found + " ");
    else if (!e.drawLevels.empty())
        e.label += " " + *found;
    else
        e.label += *found;
}

} // namespace

void match(TypeInventory& inventory, const StyleTexts& styletxt, int slot, ErrorLog& errors) {
    try {
        const std::string& table = styletxt[static_cast<std::size_t>(slot)];
        const std::string lowered = lcase(table);
        for (InventoryEntry& entry : inventory.list(slot % 3)) label(entry, table, lowered, slot);
    } catch (const std::exception& e) {
        errors.append("match", e.what());
    }
}

} // namespace kestrel
