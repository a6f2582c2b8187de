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
std::string twinCode(std::string_view code) {
    const std::string_view rest = code.size() > 5 ? code.substr(5) : "";
    for (const auto& [ext, twin] : kStandardTwins)
        if (startsWith(code, ext)) return concat({twin, rest});
    if (startsWith(code, kSwappedGroup)) return concat({rest, "00"});
    return "";
}

// Lines and POIs take a label only while their text is shorter than this: labels are never
// appended twice.
constexpr std::size_t kLabelledLength = 9;

void label(InventoryEntry& e, const LabelIndex& table, int slot) {
    const bool polygons = slot % 3 == kPolygons;
    const std::string text = entryText(e);
    if (!polygons && text.size() >= kLabelledLength) return;
    std::string code = lcase(std::string_view(text).substr(0, text.find(' ')));
    if (slot < 2 && code.size() > 4) code.resize(code.size() - 2);
    std::optional<std::string> found = table.label(code);
    if (!found && slot != 0) found = table.label(twinCode(code));
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

void match(TypeInventory& inventory, LabelTables& tables, int slot, ErrorLog& errors) {
    try {
        if (inventory.list(slot % 3).empty()) return; // nothing to index the table for
        const LabelIndex& table = tables.slot(slot);
        for (InventoryEntry& entry : inventory.list(slot % 3)) label(entry, table, slot);
    } catch (const std::exception& e) {
        errors.append("match", e.what());
    }
}

} // namespace kestrel
