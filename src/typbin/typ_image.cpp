#include "typbin/typ_image.h"

#include "base/text.h"

namespace kestrel {

void head(ByteImage& image, std::size_t pos, std::uint8_t v) {
    static const std::string kBlanks(256, ' ');
    while (image.size() == 0 || pos >= image.size()) image.addBytes(kBlanks);
    image.put1u(pos, v);
}

void put_head4(ByteImage& image, std::size_t pos, std::uint32_t v) {
    for (std::size_t k = 0; k < 4; ++k) head(image, pos + k, 0);
    const std::string le = fnblk0(hex(v));
    for (std::size_t k = 0; k < le.size(); ++k)
        head(image, pos + k, static_cast<std::uint8_t>(le[k]));
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
