#pragma once
// How the numbered generators place their header bytes into a ByteImage: `head` grows the buffer
// by blocks of blanks, `put_head4` writes through a hexadecimal text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/byte_image.h"

namespace kestrel {

// `head`: one byte at a position. A position at or beyond the end (or an empty buffer) first
// grows the buffer by blocks of 256 blanks (0x20) until the position is inside it.
void head(ByteImage& image, std::size_t pos, std::uint8_t v);
// `put_head4`: the value as four bytes, low byte first, at the position and the three after.
void put_head4(ByteImage& image, std::size_t pos, std::uint32_t v);

// `fnblk0`: a hexadecimal number given as text (no prefix) as four bytes, low byte first, padded
// with zero bytes on the high side. Digits beyond the eighth (counted from the right) are dropped;
// the text is read up to its first non-hexadecimal character.
std::string fnblk0(std::string_view hexText);

} // namespace kestrel
