#include "typbin/typ_image.h"

#include <algorithm>

#include "base/text.h"

namespace kestrel {

void ByteImage::reserveUpTo(std::size_t end) {
    if (end > bytes_.size()) bytes_.resize(end, '\0');
}

void ByteImage::put1u(std::size_t pos, std::uint8_t v) {
    reserveUpTo(pos + 1);
    bytes_[pos] = static_cast<char>(v);
}

void ByteImage::put2u(std::size_t pos, std::uint16_t v) {
    reserveUpTo(pos + 2);
    bytes_[pos] = static_cast<char>(v & 0xFF);
    bytes_[pos + 1] = static_cast<char>(v >> 8);
}

void ByteImage::put3u(std::size_t pos, std::uint32_t v) {
    reserveUpTo(pos + 3);
    for (std::size_t k = 0; k < 3; ++k) bytes_[pos + k] = static_cast<char>((v >> (8 * k)) & 0xFF);
}

void ByteImage::put4u(std::size_t pos, std::uint32_t v) {
    reserveUpTo(pos + 4);
    for (std::size_t k = 0; k < 4; ++k) bytes_[pos + k] = static_cast<char>((v >> (8 * k)) & 0xFF);
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

void ByteImage::head(std::size_t pos, std::uint8_t v) {
    while (bytes_.empty() || pos >= bytes_.size()) bytes_.append(256, ' ');
    bytes_[pos] = static_cast<char>(v);
}

void ByteImage::put_head4(std::size_t pos, std::uint32_t v) {
    for (std::size_t k = 0; k < 4; ++k) head(pos + k, 0);
    const std::string le = fnblk0(hex(v));
    for (std::size_t k = 0; k < le.size(); ++k) head(pos + k, static_cast<std::uint8_t>(le[k]));
}

std::string fnblk0(std::string_view hexText) {
    std::size_t digits = 0;
    // Only the hexadecimal prefix of the text counts; of it, the last eight digits.
    while (digits < hexText.size() && isHexDigit(hexText[digits])) ++digits;
    const std::string_view number = hexText.substr(0, digits);
    const std::string_view low = number.size() > 8 ? number.substr(number.size() - 8) : number;
    const auto v = static_cast<std::uint32_t>(hexValue(low));
    std::string out(4, '\0');
    for (std::size_t k = 0; k < 4; ++k) out[k] = static_cast<char>((v >> (8 * k)) & 0xFF);
    return out;
}

} // namespace kestrel
