#include "cli/json_text.h"

#include <cstdio>

#include "base/utf8.h"

namespace kestrel::cli {

std::string jsonString(std::string_view s, HighBytes high) {
    const bool keepHigh = high == HighBytes::Utf8WhenValid && isUtf8(s);
    std::string r = "\"";
    for (const char c : s) {
        const auto b = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            r += '\\';
            r += c;
        } else if (b < 0x20 || b == 0x7F || (b > 0x7F && !keepHigh)) {
            char u[8];
            std::snprintf(u, sizeof u, "\\u%04x", b);
            r += u;
        } else {
            r += c;
        }
    }
    return r + "\"";
}

} // namespace kestrel::cli
