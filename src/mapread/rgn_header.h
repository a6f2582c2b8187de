#pragma once
// The fields of an RGN subfile header (offsets from the RGN header).
#include <cstdint>

namespace kestrel::rgn {

inline constexpr std::int64_t kHeaderLength = 0x00;  // 0x00, low byte of the length
inline constexpr std::int64_t kDataOffset = 0x15;    // 0x15-0x18, the subdivisions' data
inline constexpr std::int64_t kDataSize = 0x19;      // 0x19-0x1C
inline constexpr std::int64_t kPolygonOffset = 0x1D; // 0x1D-0x20, from the base
inline constexpr std::int64_t kPolygonSize = 0x21;   // 0x21-0x24
inline constexpr std::int64_t kLineOffset = 0x39;    // 0x39-0x3C, from the base
inline constexpr std::int64_t kLineSize = 0x3D;      // 0x3D-0x40
inline constexpr std::int64_t kPointOffset = 0x55;   // 0x55-0x58, from the base
inline constexpr std::int64_t kPointSize = 0x59;     // 0x59-0x5C
// Headers shorter than this hold no extended polygon and line sections.
inline constexpr std::uint32_t kMinLengthForLines = 57;
// Headers shorter than this hold no extended point section.
inline constexpr std::uint32_t kMinLengthForPoints = 125;

} // namespace kestrel::rgn
