#include "base/byte_image.h"

#include <algorithm>

namespace kestrel {

void ByteImage::reserveUpTo(std::size_t end) {
    if (end > bytes_.size()) bytes_.resize(end, '\0');
}

void ByteImage::putNu(std::size_t pos, std::size_t n, std::uint32_t v) {
    reserveUpTo(pos + n);
    for (std::size_t k = 0; k < n; ++k) bytes_[pos + k] = static_cast<char>((v >> (8 * k)) & 0xFF);
}

void ByteImage::put1u(std::size_t pos, std::uint8_t v) {
    putNu(pos, 1, v);
}

void ByteImage::put2u(std::size_t pos, std::uint16_t v) {
    putNu(pos, 2, v);
}

void ByteImage::put3u(std::size_t pos, std::uint32_t v) {
    putNu(pos, 3, v);
}

void ByteImage::put4u(std::size_t pos, std::uint32_t v) {
    putNu(pos, 4, v);
}

void ByteImage::putBytes(std::size_t pos, std::string_view bytes) {
    if (pos >= bytes_.size()) {
        bytes_.resize(pos, '\0');
        bytes_.append(bytes);
        return;
    }
    reserveUpTo(pos + bytes.size());
    std::copy(bytes.begin(), bytes.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(pos));
}

} // namespace kestrel
