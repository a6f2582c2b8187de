#include "base/utf8.h"

namespace kestrel {

void appendUtf8(std::string& out, std::uint32_t cp) {
    if ((cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) cp = 0xFFFD;
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
        return;
    }
    const int extra = cp < 0x800 ? 1 : cp < 0x10000 ? 2 : 3;
    static constexpr unsigned char kLead[] = {0, 0xC0, 0xE0, 0xF0};
    out.push_back(static_cast<char>(kLead[extra] | cp >> (6 * extra)));
    for (int k = extra - 1; k >= 0; --k)
        out.push_back(static_cast<char>(0x80 | (cp >> (6 * k) & 0x3F)));
}

Utf8Char nextUtf8(std::string_view s, std::size_t at) {
    const auto b = static_cast<unsigned char>(s[at]);
    const std::size_t n = b < 0x80           ? 1
                          : (b >> 5) == 0x6  ? 2
                          : (b >> 4) == 0xE  ? 3
                          : (b >> 3) == 0x1E ? 4
                                             : 0;
    if (n == 0 || at + n > s.size()) return {};
    static constexpr unsigned char kPayload[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    std::uint32_t cp = b & kPayload[n];
    for (std::size_t k = 1; k < n; ++k) {
        const auto c = static_cast<unsigned char>(s[at + k]);
        if ((c & 0xC0) != 0x80) return {};
        cp = cp << 6 | (c & 0x3F);
    }
    return {cp, n};
}

bool isUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const Utf8Char c = nextUtf8(s, i);
        // The shortest form only, no surrogates, nothing past U+10FFFF: what JSON readers take.
        static constexpr std::uint32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
        if (c.bytes == 0 || c.cp < kLeast[c.bytes] || (c.cp >= 0xD800 && c.cp <= 0xDFFF) ||
            c.cp > 0x10FFFF)
            return false;
        i += c.bytes;
    }
    return true;
}

} // namespace kestrel
