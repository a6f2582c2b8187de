#pragma once
// Numbers in a TYP text, read as mkgmap reads them (it is written in Java, and takes the rules of
// Java's number parsing): a whole text or nothing, no blanks, 32 bits at most.
#include <cstdint>
#include <optional>
#include <string_view>

namespace kestrel::typ {

// Java's Integer.decode: an optional sign, then "0x", "0X" or "#" for hexadecimal, a leading 0
// (and more digits) for octal, else decimal. "0999" is no number (9 is no octal digit), "01212"
// is 650.
std::optional<std::int32_t> decodeNumber(std::string_view text);
// Java's Integer.parseInt: an optional sign, then digits of the radix (10 or 16).
std::optional<std::int32_t> parseNumber(std::string_view text, int radix = 10);
// Java's Long.parseLong(text, 16) cut to its low 32 bits.
std::optional<std::int32_t> parseHexLow32(std::string_view text);

} // namespace kestrel::typ
