#include "typfile/text_numbers.h"

namespace kestrel::typ {

namespace {

int digitValue(char c, int radix) {
    int v = radix;
    if (c >= '0' && c <= '9') v = c - '0';
    if (c >= 'a' && c <= 'z') v = c - 'a' + 10;
    if (c >= 'A' && c <= 'Z') v = c - 'A' + 10;
    return v < radix ? v : -1;
}

// Digits of the radix (at least one) whose value is at most `limit`.
std::optional<std::uint64_t> magnitude(std::string_view digits, int radix, std::uint64_t limit) {
    if (digits.empty()) return std::nullopt;
    std::uint64_t v = 0;
    for (const char c : digits) {
        const int d = digitValue(c, radix);
        if (d < 0) return std::nullopt;
        v = v * static_cast<std::uint64_t>(radix) + static_cast<std::uint64_t>(d);
        if (v > limit) return std::nullopt;
    }
    return v;
}

// A magnitude with its sign, as two's complement bits: -limit to limit - 1.
std::optional<std::uint64_t> withSign(std::optional<std::uint64_t> v, bool negative,
                                      std::uint64_t limit) {
    if (!v || (!negative && *v == limit)) return std::nullopt;
    return negative ? 0 - *v : *v;
}

// An optional sign before the rest of the text.
bool takeSign(std::string_view& text) {
    if (text.empty() || (text[0] != '-' && text[0] != '+')) return false;
    const bool negative = text[0] == '-';
    text.remove_prefix(1);
    return negative;
}

constexpr std::uint64_t kIntLimit = std::uint64_t{1} << 31;
constexpr std::uint64_t kLongLimit = std::uint64_t{1} << 63;

std::int32_t low32(std::uint64_t bits) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(bits));
}

} // namespace

std::optional<std::int32_t> parseNumber(std::string_view text, int radix) {
    const bool negative = takeSign(text);
    const auto v = withSign(magnitude(text, radix, kIntLimit), negative, kIntLimit);
    if (!v) return std::nullopt;
    return low32(*v);
}

std::optional<std::int32_t> decodeNumber(std::string_view text) {
    const bool negative = takeSign(text);
    int radix = 10;
    if (text.starts_with("0x") || text.starts_with("0X")) {
        radix = 16;
        text.remove_prefix(2);
    } else if (text.starts_with("#")) {
        radix = 16;
        text.remove_prefix(1);
    } else if (text.starts_with("0") && text.size() > 1) {
        radix = 8;
        text.remove_prefix(1);
    }
    const auto v = withSign(magnitude(text, radix, kIntLimit), negative, kIntLimit);
    if (!v) return std::nullopt;
    return low32(*v);
}

std::optional<std::int32_t> parseHexLow32(std::string_view text) {
    const bool negative = takeSign(text);
    const auto v = withSign(magnitude(text, 16, kLongLimit), negative, kLongLimit);
    if (!v) return std::nullopt;
    return low32(*v);
}

} // namespace kestrel::typ
