#pragma once
// UTF-8 for the texts that come from Unicode sources (Wine's registry file, XML references, TYP
// labels) or go to them (JSON, TYP labels).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kestrel {

// Appends the code point as UTF-8; surrogates and values past U+10FFFF become U+FFFD.
void appendUtf8(std::string& out, std::uint32_t cp);

// One character of a UTF-8 text.
struct Utf8Char {
    std::uint32_t cp = 0;
    std::size_t bytes = 0; // 0: no well-formed lead and continuation bytes at this place
};
// The character that starts at byte `at` (which must lie inside the text).
Utf8Char nextUtf8(std::string_view s, std::size_t at);

// True when the bytes are well-formed UTF-8: lead and continuation bytes in place, shortest forms
// of code points up to U+10FFFF, no surrogates.
bool isUtf8(std::string_view s);

} // namespace kestrel
