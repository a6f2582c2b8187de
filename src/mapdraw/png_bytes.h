#pragma once
// A picture as PNG bytes, made for speed and deflated in runs, which suits a map's flat colours:
// a byte per pixel into a palette when the picture holds at most 256 colours (a map drawn in a
// TYP's colours nearly always does), else 8-bit RGB rows, each filtered by its left neighbour
// (areas of one colour become zeros).
// Cairo's own writer compresses harder and takes several times as long on a large picture.
#include <cstdint>
#include <optional>
#include <string>

#include "base/platform/platform.h"

namespace kestrel::mapdraw {

// A PNG file's bytes, in large pages from its start on where the system has them: a map's picture
// runs to megabytes, and fresh ordinary pages cost a page fault each.
using PngFile = std::basic_string<char, std::char_traits<char>, platform::LargePageAllocator<char>>;

// The PNG of `width` x `height` pixels of 32 bits (0xXXRRGGBB in native order, Cairo's RGB24),
// rows `stride` bytes apart, made on up to `threads` threads (the bytes are the same for any
// number); nothing when the compressor fails or memory runs out.
std::optional<PngFile> pngBytes(const std::uint8_t* pixels, int width, int height, int stride,
                                int threads = 1);

} // namespace kestrel::mapdraw
