#pragma once
// Inventory entries for test fixtures, written as the lists show them: "0x1300 Urban (d2)" is the
// standard code 0x1300 with the label " Urban" and one marker, "0x10601 *" a starred extended
// code, "0x0600 " a code with its trailing blank. entryText() gives the text back.
#include <string_view>
#include <vector>

#include "base/text.h"
#include "mapread/inventory_entry.h"

namespace kestrel::test {

inline InventoryEntry listed(std::string_view text) {
    std::size_t end = 2;
    while (end < text.size() && isHexDigit(text[end])) ++end;
    TypeCode code(static_cast<std::uint32_t>(hexValue(text.substr(2, end - 2))),
                  static_cast<CodeDigits>(end - 2));
    std::string_view rest = text.substr(end);
    if (rest.starts_with(" *")) {
        code.tail = CodeTail::Star;
        rest.remove_prefix(2);
    } else if (rest.starts_with("  X:")) {
        code.tail = CodeTail::Blank;
        code.flagged = static_cast<std::uint8_t>(hexValue(rest.substr(4, 1)));
        rest.remove_prefix(5);
    } else if (rest == " " || rest.starts_with("  ")) {
        code.tail = CodeTail::Blank;
        rest.remove_prefix(1);
    }
    InventoryEntry e(code, Origin::PolygonOverview);
    for (auto at = rest.rfind(" (d"); at != std::string_view::npos && rest.ends_with(')');
         at = rest.rfind(" (d")) {
        const std::string_view digits = rest.substr(at + 3, rest.size() - at - 4);
        if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos)
            break;
        e.drawLevels.insert(e.drawLevels.begin(), std::stoll(std::string(digits)));
        rest = rest.substr(0, at);
    }
    e.label = std::string(rest);
    return e;
}

inline std::vector<InventoryEntry> listed(const std::vector<std::string>& texts) {
    std::vector<InventoryEntry> out;
    for (const auto& t : texts) out.push_back(listed(t));
    return out;
}

} // namespace kestrel::test
