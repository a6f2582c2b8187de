#pragma once
// The identity a binary TYP file carries in its header: the family ID and product of the maps it
// styles, and the code page of its labels. A device draws a map with a TYP only when the family
// IDs agree.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kestrel::typ {

// Header fields, from the start of the file (little-endian).
inline constexpr std::size_t kHeaderLength = 0x00; // 0x00-0x01
inline constexpr std::size_t kSignature = 0x02;    // 0x02-0x0B, "GARMIN TYP"
inline constexpr std::size_t kCodePage = 0x15;     // 0x15-0x16
inline constexpr std::size_t kFamilyId = 0x2F;     // 0x2F-0x30
inline constexpr std::size_t kProduct = 0x31;      // 0x31-0x32
// The shortest header written (0x5B): every field above lies inside it.
inline constexpr std::size_t kShortestHeader = 0x5B;

struct TypIdentity {
    std::uint16_t familyId = 0;
    std::uint16_t product = 0;
    std::uint16_t codePage = 0;
    bool operator==(const TypIdentity&) const = default;
};

// The identity of the TYP file's bytes; nothing unless they start with a TYP header.
std::optional<TypIdentity> readTypIdentity(std::string_view bytes);
// Writes the identity into the header of a TYP file (one that readTypIdentity accepts).
void writeTypIdentity(std::string& bytes, const TypIdentity& identity);

} // namespace kestrel::typ
