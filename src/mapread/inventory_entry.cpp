#include "mapread/inventory_entry.h"

#include "base/text.h"

namespace kestrel {
namespace {

std::string tailText(const TypeCode& c) {
    switch (c.tail) {
    case CodeTail::None:
        return "";
    case CodeTail::Blank:
        return c.flagged ? concat({"  X:", hex(*c.flagged)}) : " ";
    case CodeTail::Star:
        return " *";
    }
    return "";
}

std::string afterCode(const InventoryEntry& e) {
    std::string s = tailText(e.code) + e.label;
    for (const std::int64_t level : e.drawLevels) s += concat({" (d", std::to_string(level), ")"});
    return s;
}

} // namespace

// Made digit by digit: the lists and `match` make these texts for every entry, many times.
std::string TypeCode::text() const {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::size_t width = static_cast<std::size_t>(digits);
    while (width < 8 && value >> (4 * width) != 0) ++width;
    std::string s(2 + width, '0');
    s[1] = 'x';
    for (std::uint32_t v = value, i = static_cast<std::uint32_t>(s.size()); v != 0; v >>= 4)
        s[--i] = kDigits[v & 15];
    return s;
}

std::string TypeCode::hexDigits() const {
    return text().substr(2);
}

std::string entryText(const InventoryEntry& e) {
    return e.code.text() + afterCode(e);
}

std::string entryDescription(const InventoryEntry& e) {
    return trim(replaceAll(afterCode(e), "\t", " "));
}

std::vector<std::string> entryTexts(const std::vector<InventoryEntry>& list) {
    std::vector<std::string> out;
    out.reserve(list.size());
    for (const InventoryEntry& e : list) out.push_back(entryText(e));
    return out;
}

std::vector<std::string> levelLines(const std::vector<InventoryEntry>& polygons) {
    std::vector<std::string> out;
    for (const InventoryEntry& e : polygons) {
        if (!e.levelNote) continue;
        const TypeCode& listed = e.levelNote->listed;
        const std::string_view mark = e.origin == Origin::Bombout ? " b" : "";
        out.push_back(
            concat({listed.text(), tailText(listed), mark, " #", hex(e.levelNote->level)}));
    }
    return out;
}

} // namespace kestrel
