#include "cli/json_text.h"

#include <cstdio>

#include "base/text.h"
#include "base/utf8.h"

namespace kestrel::cli {

std::string jsonString(std::string_view s, HighBytes high) {
    const bool keepHigh = high == HighBytes::Utf8WhenValid && isUtf8(s);
    std::string r = "\"";
    const auto escape = [&r](unsigned char codePoint) {
        char u[8];
        std::snprintf(u, sizeof u, "\\u%04x", codePoint);
        r += u;
    };
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        const auto b = static_cast<unsigned char>(c);
        const std::size_t control = controlLength(s, i);
        if (c == '"' || c == '\\') {
            r += '\\';
            r += c;
        } else if (control == 1 || (b > 0x7F && !keepHigh)) {
            escape(b); // a Latin-1 character has the code point of its byte
        } else if (control == 2) {
            escape(static_cast<unsigned char>(s[++i])); // a C1 control, kept UTF-8
        } else {
            r += c;
        }
    }
    return r + "\"";
}

} // namespace kestrel::cli
