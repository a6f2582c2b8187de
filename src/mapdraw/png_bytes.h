#pragma once
// A picture as PNG bytes, made for speed: 8-bit RGB rows, each filtered by its left neighbour
// (areas of one colour become zeros) and deflated in runs, which suits a map's flat colours.
// Cairo's own writer compresses harder and takes several times as long on a large picture.
#include <cstdint>
#include <optional>
#include <string>

namespace kestrel::mapdraw {

// The PNG of `width` x `height` pixels of 32 bits (0xXXRRGGBB in native order, Cairo's RGB24),
// rows `stride` bytes apart; nothing when the compressor fails.
std::optional<std::string> pngBytes(const std::uint8_t* pixels, int width, int height, int stride);

} // namespace kestrel::mapdraw
