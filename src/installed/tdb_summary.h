#pragma once
// What the product scans read from a map family's TDB file.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kestrel::installed {

// Bytes of the TDB header that the scans use (0-based; the first 500 bytes are read).
inline constexpr std::size_t kTdbHeadBytes = 500;
inline constexpr char kTdbBlockType = 'P';        // byte 0
inline constexpr std::size_t kTdbProductCode = 3; // bytes 3-4, little-endian
inline constexpr std::size_t kTdbFamilyId = 5;    // bytes 5-6, little-endian
inline constexpr std::size_t kTdbFamilyName = 9;  // bytes 9.. up to the first zero byte

struct TdbSummary {
    std::string familyName;
    std::uint16_t familyId = 0;    // byte 6 x 256 + byte 5
    std::uint16_t productCode = 0; // byte 4 x 256 + byte 3
};

// `get_tdb` on the first bytes of a TDB file: nothing unless they start with "P" and reach the
// family ID. The name ends at the first zero byte or at the end of the bytes.
std::optional<TdbSummary> readTdbHead(std::string_view head);
// `get_tdb`: the summary of the TDB file at the path, or nothing when it cannot be read or is
// no TDB file.
std::optional<TdbSummary> get_tdb(const std::string& path);

} // namespace kestrel::installed
