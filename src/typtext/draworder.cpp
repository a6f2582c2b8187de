#include "typtext/draworder.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "base/text.h"
#include "typtext/element_entry.h"

namespace kestrel {

namespace {

// The level of the first "(d" + digits + ")" in a label: a label may hold a whole marker, and a
// "(d" that is none ("(dry)").
std::optional<std::string> markerLevel(std::string_view label) {
    for (auto at = label.find("(d"); at != std::string_view::npos; at = label.find("(d", at + 1)) {
        std::size_t end = at + 2;
        while (end < label.size() && label[end] >= '0' && label[end] <= '9') ++end;
        if (end > at + 2 && end < label.size() && label[end] == ')')
            return std::string(label.substr(at + 2, end - at - 2));
    }
    return std::nullopt;
}

struct DrawLine {
    TypeCode code;
    std::string level; // decimal digits
    bool background = false;
};

// The written line of an entry, if it has a level: from the subtype digits of a four-digit code,
// else from the first marker (the label comes before the markers in the entry).
std::optional<DrawLine> drawLine(const InventoryEntry& e) {
    if (e.codeOnly()) return std::nullopt;
    TypeCode code = e.code;
    std::optional<std::string> level;
    if (const std::uint32_t n = code.value & 0xFF; code.digits == CodeDigits::Standard && n > 0) {
        code = TypeCode(code.value & 0xFF00, CodeDigits::Standard);
        level = std::to_string(n & 15);
    }
    if (!level) level = markerLevel(e.label);
    if (!level && !e.drawLevels.empty()) level = std::to_string(e.drawLevels.front());
    if (!level) return std::nullopt;
    return DrawLine{code, std::move(*level), code.type() == 0x4B00};
}

bool isZero(const std::string& level) {
    return level.find_first_not_of('0') == std::string::npos;
}

// The next level up, digit by digit: a marker's digits may be longer than any integer.
std::string oneAbove(std::string level) {
    for (auto i = level.size(); i-- > 0;) {
        if (level[i] != '9') {
            ++level[i];
            return level;
        }
        level[i] = '0';
    }
    return "1" + level;
}

} // namespace

void draworder(TypTextDocument& doc, const TypeInventory& inventory) {
    std::vector<DrawLine> lines;
    WrittenTypes written;
    for (const InventoryEntry& e : inventory.list(kPolygons)) {
        // Only a label can hold "***": codes, tails and markers never do.
        if (contains(e.label, "***")) break;
        auto line = drawLine(e);
        if (line && written.first(line->code)) lines.push_back(std::move(*line));
    }
    // The types of one level are painted in type order, so a background sharing a level covers
    // the types below 0x4B. It goes to level 0 alone; when another type is at 0 already, all the
    // others move up one and keep their order.
    const auto has = [&](auto pred) { return std::any_of(lines.begin(), lines.end(), pred); };
    const bool raise = has([](const DrawLine& l) { return l.background; }) &&
                       has([](const DrawLine& l) { return !l.background && isZero(l.level); });
    doc.line("[_drawOrder]");
    for (const auto& l : lines)
        doc.line("Type=", l.code.text(), ",",
                 l.background ? "0"
                 : raise      ? oneAbove(l.level)
                              : l.level);
    doc.line("[End]");
    doc.endChunk();
}

} // namespace kestrel
