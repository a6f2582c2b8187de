#include "base/base64.h"

#include <algorithm>
#include <cstdint>

namespace kestrel {

std::string base64(std::string_view bytes) {
    static constexpr char kDigits[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t at = 0; at < bytes.size(); at += 3) {
        const std::size_t n = std::min<std::size_t>(3, bytes.size() - at);
        std::uint32_t v = 0;
        for (std::size_t i = 0; i < 3; ++i)
            v = v << 8 | (i < n ? static_cast<std::uint8_t>(bytes[at + i]) : 0u);
        for (std::size_t i = 0; i < 4; ++i) out += i <= n ? kDigits[v >> (18 - 6 * i) & 63] : '=';
    }
    return out;
}

} // namespace kestrel
