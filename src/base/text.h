#pragma once
// Pure text utilities. Program strings are 8-bit bytes, one character per byte.
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

inline constexpr std::string_view kCrLf = "\r\n";

std::string lcase(std::string_view s);
std::string ucase(std::string_view s);
std::string trim(std::string_view s); // blanks only, both ends
std::string replaceAll(std::string_view s, std::string_view from, std::string_view to);
bool contains(std::string_view s, std::string_view part);
bool startsWith(std::string_view s, std::string_view prefix);
bool endsWith(std::string_view s, std::string_view suffix);
// Splits at every occurrence of the separator; n separators give n + 1 parts.
std::vector<std::string> split(std::string_view s, std::string_view sep);
std::string join(const std::vector<std::string>& parts, std::string_view sep);
// The parts one after the other. Where a text starts with a literal, this takes the place of
// "literal" + string, which g++ 12 falsely reports as overlapping copies (-Wrestrict) at -O3.
std::string concat(std::initializer_list<std::string_view> parts);

// Names and texts read from files meet terminals and windows only through these two. The length
// of the control character at `at`: 1 for the bytes 0x00-0x1F and 0x7F, 2 for the C1 controls
// U+0080-U+009F in their UTF-8 form (C2 80 to C2 9F), which terminals obey as well; 0 for
// anything else.
std::size_t controlLength(std::string_view s, std::size_t at);
// The text with each byte of its control characters shown as "\xHH" ("\x1B" for ESC), so that it
// cannot move the cursor, retitle or clear a terminal, or start a line of its own. Everything
// else stays as it is (UTF-8 and 8-bit text alike; a backslash too): escaping twice gives what
// escaping once gives.
std::string escapeControls(std::string_view s);

// Upper-case hexadecimal without leading zeros ("0" for 0).
std::string hex(std::uint64_t v);
// "pad two": left-padded with "0" to 2 characters ("" gives "00").
std::string pad2(std::string_view s);
// "pad to": left-padded with "0" to the width; longer texts come back unchanged.
std::string padTo(std::size_t width, std::string_view s);
// "separator position": 1-based position of the first "."; else of the first ","; else 0.
std::size_t separatorPosition(std::string_view s);

// The numeric value of the leading number of a text, as the program reads fields and lines:
// leading blanks skipped, an optional sign, digits with at most one ".", an optional exponent;
// 0 when there is no leading number, and when the number lies beyond the range of a double.
// "12abc" gives 12.
double val(std::string_view s);
// The same number, but nothing when it lies beyond the range of a double ("1e400").
std::optional<double> leadingNumber(std::string_view s);
// True for 0-9, a-f and A-F.
constexpr bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
// True for 0-9, a-z and A-Z.
constexpr bool isAsciiAlnum(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
// The text with every character but ASCII letters, digits and those of `kept` made '_'.
std::string tamed(std::string_view s, std::string_view kept = {});
// The numeric value of a hexadecimal text (no prefix); stops at the first non-hex character.
std::uint64_t hexValue(std::string_view s);
// Whole number nearest to v, halves to the even neighbour (the program's rounding).
std::int64_t roundHalfEven(double v);

} // namespace kestrel
