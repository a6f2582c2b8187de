#pragma once
// UTF-8 for the texts that come from Unicode sources (Wine's registry file, XML references) or go
// to them (JSON).
#include <cstdint>
#include <string>
#include <string_view>

namespace kestrel::installed {

// Appends the code point as UTF-8; surrogates and values past U+10FFFF become U+FFFD.
void appendUtf8(std::string& out, std::uint32_t cp);
// True when the bytes are well-formed UTF-8: shortest forms of code points up to U+10FFFF, no
// surrogates.
bool isUtf8(std::string_view s);

} // namespace kestrel::installed
