#pragma once
// The bitstream of a polyline or polygon record: the deltas from each point to the next, in the
// level's units. Bits are read from the lowest of each byte up. First the sign bits: for
// longitude, then latitude, a 1 says every delta has the same sign, given by the bit after it
// (1: negative); a 0 says each delta carries its own. An extended record has one more bit here.
// When the record asks for an extra bit per point, one follows the sign bits (the first point's)
// and one follows each delta pair.
#include <cstdint>
#include <span>
#include <vector>

namespace kestrel {

namespace rgn {
// The info byte before the bitstream: the base of the longitude width in bits 0-3, of the
// latitude width in bits 4-7.
inline constexpr std::uint8_t kBaseBits = 0x0F;
} // namespace rgn

struct BitstreamForm {
    std::uint8_t info = 0;
    bool extended = false; // a record of the extended sections
    bool extraBit = false; // an extra bit per point
};

struct Delta {
    std::int64_t lon = 0;
    std::int64_t lat = 0;
};

// The width in bits of one delta for a base of 0 to 15, with its own sign bit or not.
unsigned deltaWidth(unsigned base, bool ownSign);

// Appends the deltas the bitstream holds to `out`; trailing bits too few for another pair are
// padding. False, with nothing appended, when the bytes cannot hold the sign bits.
bool readDeltas(std::span<const std::uint8_t> bytes, BitstreamForm form, std::vector<Delta>& out);

} // namespace kestrel
