#pragma once
// What the first bytes of a file say it holds: a Garmin map, a binary TYP, or neither. Enough to
// refuse an output that would write over a map, and to give up early on a large file that holds
// no map at all, without reading the whole file.
#include <cstddef>
#include <cstdint>
#include <span>

namespace kestrel {

enum class GarminContent {
    None,
    Map, // an IMG container (masked or not), a subfile on its own (an NT map's GMP), or bytes
         // holding the RGN, TRE or GMP signature
    Typ, // a binary TYP file: "GARMIN TYP" after the header length
};

// How many bytes from the start of a file tell what it holds.
inline constexpr std::size_t kGarminHeadSize = std::size_t(1) << 20;

// What the head of a file (its first kGarminHeadSize bytes, or all of a shorter one) holds.
GarminContent garminContent(std::span<const std::uint8_t> head);

} // namespace kestrel
