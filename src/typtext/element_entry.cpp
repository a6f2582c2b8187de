#include "typtext/element_entry.h"

#include <algorithm>

#include "base/text.h"

namespace kestrel {

namespace {

std::string untabbed(std::string_view entry) {
    return replaceAll(entry, "\t", " ");
}

// "0x" + four digits whose last two, modulo 16, are above 0.
bool hasSubtype(std::string_view code) {
    return code.size() == 6 && hexValue(code.substr(4, 2)) % 16 > 0;
}

} // namespace

SubtypeSet::SubtypeSet(const std::vector<std::string>& list) {
    for (const auto& raw : list) {
        const std::string entry = untabbed(raw);
        const auto blank = entry.find(' ');
        if (blank == std::string::npos) continue;
        const std::string code = entry.substr(0, blank);
        if (hasSubtype(code)) codes_.insert(code.substr(0, 4) + "00");
    }
}

std::optional<EntryParts> splitEntry(std::string_view raw, const SubtypeSet* subtypes,
                                     bool& malformed) {
    malformed = false;
    const std::string entry = untabbed(raw);
    EntryParts parts;
    const auto blank = entry.find(' ');
    parts.hasBlank = blank != std::string::npos;
    parts.word = parts.hasBlank ? entry.substr(0, blank) : entry;
    parts.code = parts.word;
    if (parts.hasBlank) {
        parts.rest = trim(std::string_view(entry).substr(blank + 1));
        if (subtypes != nullptr && parts.code.size() == 6) {
            if (subtypes->has(parts.code)) return std::nullopt;
            if (hasSubtype(parts.code)) parts.code = parts.code.substr(0, 4) + "00";
        }
    }
    if (!isTypeCode(parts.code)) {
        malformed = true;
        return std::nullopt;
    }
    return parts;
}

bool isTypeCode(std::string_view c) {
    bool ok = c.size() >= 3 && c.size() <= 7 && c[0] == '0' && (c[1] == 'x' || c[1] == 'X');
    for (std::size_t i = 2; ok && i < c.size(); ++i) ok = isHexDigit(c[i]);
    return ok;
}

std::string codeDigits(std::string_view code) {
    const auto x = code.find_first_of("xX");
    return x == std::string_view::npos ? std::string(code) : std::string(code.substr(x + 1));
}

std::uint32_t typeValue(std::string_view code) {
    const auto v = static_cast<std::uint32_t>(hexValue(codeDigits(code)));
    return v < 0x100 ? v << 8 : v;
}

std::string bareTypeKey(std::string_view code) {
    const std::string digits = lcase(codeDigits(code));
    return "0x" + (digits.size() == 4 ? digits.substr(0, 2) : digits);
}

} // namespace kestrel
