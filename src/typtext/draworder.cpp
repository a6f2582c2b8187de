#include "typtext/draworder.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "base/text.h"
#include "typtext/element_entry.h"

namespace kestrel {

namespace {

// The level of the first "(d" + digits + ")" marker. A label may itself hold "(d" ("(dry)"),
// and a list marked twice holds two markers; only a whole first marker counts.
std::optional<std::string> markerLevel(std::string_view entry) {
    for (auto at = entry.find("(d"); at != std::string_view::npos; at = entry.find("(d", at + 1)) {
        std::size_t end = at + 2;
        while (end < entry.size() && entry[end] >= '0' && entry[end] <= '9') ++end;
        if (end > at + 2 && end < entry.size() && entry[end] == ')')
            return std::string(entry.substr(at + 2, end - at - 2));
    }
    return std::nullopt;
}

struct DrawLine {
    std::string code;  // as it is written after "Type="
    std::string level; // decimal digits
    bool background = false;
};

// The written line of an entry, if it has a level.
std::optional<DrawLine> drawLine(const std::string& raw) {
    const std::string entry = replaceAll(raw, "\t", " ");
    const auto blank = entry.find(' ');
    if (blank == std::string::npos) return std::nullopt;
    std::string code = entry.substr(0, blank);
    if (!isTypeCode(code)) return std::nullopt;
    const std::string digits = codeDigits(code);
    std::optional<std::string> level;
    if (digits.size() == 4) {
        const auto n = hexValue(digits.substr(2, 2));
        if (n > 0) {
            code = "0x" + digits.substr(0, 2) + "00";
            level = std::to_string(n & 15);
        }
    }
    if (!level) level = markerLevel(entry);
    if (!level) return std::nullopt;
    const bool background = typeValue(code) == 0x4B00;
    return DrawLine{std::move(code), std::move(*level), background};
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
    for (const auto& raw : inventory.list(kPolygons)) {
        if (contains(raw, "***")) break;
        auto line = drawLine(raw);
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
        doc.line("Type=", l.code, ",", l.background ? "0" : raise ? oneAbove(l.level) : l.level);
    doc.line("[End]");
    doc.endChunk();
}

} // namespace kestrel
