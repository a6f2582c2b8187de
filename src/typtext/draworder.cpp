#include "typtext/draworder.h"

#include <optional>

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

} // namespace

void draworder(TypTextDocument& doc, const TypeInventory& inventory) {
    doc.line("[_drawOrder]");
    WrittenTypes written;
    for (const auto& raw : inventory.list(kPolygons)) {
        if (contains(raw, "***")) break;
        const std::string entry = replaceAll(raw, "\t", " ");
        const auto blank = entry.find(' ');
        if (blank == std::string::npos) continue;
        const std::string code = entry.substr(0, blank);
        if (!isTypeCode(code)) continue;
        std::string digits = codeDigits(code);
        std::string line;
        if (digits.size() == 4) {
            const auto n = hexValue(digits.substr(2, 2));
            if (n > 0) {
                digits = digits.substr(0, 2) + "00";
                line = "Type=0x" + digits + "," + std::to_string(n & 15);
            }
        }
        if (line.empty()) {
            const auto level = markerLevel(entry);
            if (!level) continue;
            line = "Type=" + code + "," + *level;
        }
        if (!written.first("0x" + digits)) continue;
        doc.line(line);
    }
    doc.line("[End]");
    doc.endChunk();
}

} // namespace kestrel
