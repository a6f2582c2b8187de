#pragma once
// Label text between UTF-8 (as kestrel holds it) and the code page a Garmin file names for its
// labels: the Windows code pages 1250 to 1258, 65001 (UTF-8) and 0 (ASCII, mkgmap's default). A
// code page without a table here is read and written byte for byte as Latin-1, so that its labels
// come back unchanged.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kestrel {

inline constexpr std::uint16_t kAsciiCodePage = 0;
inline constexpr std::uint16_t kUtf8CodePage = 65001;

// 0, 1250 to 1258, or 65001.
bool hasCodePageTable(std::uint16_t codePage);

// The text in the code page; nothing when it holds a character the code page lacks (or a 0
// character, or is not UTF-8).
std::optional<std::string> fromUtf8(std::string_view utf8, std::uint16_t codePage);
// The bytes of the code page as UTF-8. Bytes that are no UTF-8 in code page 65001 become U+FFFD.
std::string toUtf8(std::string_view bytes, std::uint16_t codePage);
// True when toUtf8 reads every byte as the code page defines it: no malformed UTF-8 in 65001,
// no byte above 0x7F in ASCII or in a code page without a table.
bool readsExactly(std::string_view bytes, std::uint16_t codePage);

} // namespace kestrel
