#include "base/text.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

namespace kestrel {

std::string lcase(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return r;
}

std::string ucase(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return r;
}

std::string trim(std::string_view s) {
    const auto b = s.find_first_not_of(' ');
    if (b == std::string_view::npos) return {};
    const auto e = s.find_last_not_of(' ');
    return std::string(s.substr(b, e - b + 1));
}

std::string replaceAll(std::string_view s, std::string_view from, std::string_view to) {
    if (from.empty()) return std::string(s);
    std::string r;
    r.reserve(s.size());
    std::size_t pos = 0;
    for (;;) {
        const auto hit = s.find(from, pos);
        if (hit == std::string_view::npos) break;
        r.append(s.substr(pos, hit - pos));
        r.append(to);
        pos = hit + from.size();
    }
    r.append(s.substr(pos));
    return r;
}

bool contains(std::string_view s, std::string_view part) {
    return s.find(part) != std::string_view::npos;
}
bool startsWith(std::string_view s, std::string_view prefix) {
    return s.starts_with(prefix);
}
bool endsWith(std::string_view s, std::string_view suffix) {
    return s.ends_with(suffix);
}

std::vector<std::string> split(std::string_view s, std::string_view sep) {
    std::vector<std::string> parts;
    if (sep.empty()) {
        parts.emplace_back(s);
        return parts;
    }
    std::size_t pos = 0;
    for (;;) {
        const auto hit = s.find(sep, pos);
        if (hit == std::string_view::npos) break;
        parts.emplace_back(s.substr(pos, hit - pos));
        pos = hit + sep.size();
    }
    parts.emplace_back(s.substr(pos));
    return parts;
}

std::string join(const std::vector<std::string>& parts, std::string_view sep) {
    std::string r;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i) r.append(sep);
        r.append(parts[i]);
    }
    return r;
}

std::string concat(std::initializer_list<std::string_view> parts) {
    std::size_t size = 0;
    for (const auto p : parts) size += p.size();
    std::string r;
    r.reserve(size);
    for (const auto p : parts) r.append(p);
    return r;
}

std::size_t controlLength(std::string_view s, std::size_t at) {
    if (at >= s.size()) return 0;
    const auto b = static_cast<unsigned char>(s[at]);
    if (b < 0x20 || b == 0x7F) return 1;
    const bool c1 = b == 0xC2 && at + 1 < s.size() &&
                    (static_cast<unsigned char>(s[at + 1]) & 0xE0) == 0x80; // 80 to 9F
    return c1 ? 2 : 0;
}

std::string escapeControls(std::string_view s) {
    std::string r;
    r.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        std::size_t n = controlLength(s, i);
        if (n == 0) {
            r.push_back(s[i++]);
            continue;
        }
        for (; n > 0; --n, ++i)
            r.append(concat({"\\x", padTo(2, hex(static_cast<unsigned char>(s[i])))}));
    }
    return r;
}

std::string hex(std::uint64_t v) {
    static constexpr char digits[] = "0123456789ABCDEF";
    char buf[17];
    int n = 0;
    do {
        buf[n++] = digits[v & 15];
        v >>= 4;
    } while (v);
    std::string r;
    r.reserve(static_cast<std::size_t>(n));
    while (n) r.push_back(buf[--n]);
    return r;
}

std::string pad2(std::string_view s) {
    return padTo(2, s);
}

std::string padTo(std::size_t width, std::string_view s) {
    if (s.size() >= width) return std::string(s);
    return std::string(width - s.size(), '0') + std::string(s);
}

std::size_t separatorPosition(std::string_view s) {
    auto p = s.find('.');
    if (p == std::string_view::npos) p = s.find(',');
    return p == std::string_view::npos ? 0 : p + 1;
}

double val(std::string_view s) {
    return leadingNumber(s).value_or(0.0);
}

std::optional<double> leadingNumber(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    std::string num;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) num.push_back(s[i++]);
    bool digits = false, dot = false;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (c >= '0' && c <= '9') {
            num.push_back(c);
            digits = true;
        } else if (c == '.' && !dot) {
            num.push_back(c);
            dot = true;
        } else {
            break;
        }
    }
    if (!digits) return 0.0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        std::string exp = "e";
        if (j < s.size() && (s[j] == '-' || s[j] == '+')) exp.push_back(s[j++]);
        const std::size_t first = j;
        while (j < s.size() && s[j] >= '0' && s[j] <= '9' && j - first < 6) exp.push_back(s[j++]);
        if (j > first) num += exp;
    }
    const double v = std::strtod(num.c_str(), nullptr);
    if (!std::isfinite(v)) return std::nullopt;
    return v;
}

std::uint64_t hexValue(std::string_view s) {
    std::uint64_t v = 0;
    for (const char c : s) {
        if (!isHexDigit(c) || v > (UINT64_MAX >> 4)) break;
        const int d = c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
        v = v * 16 + static_cast<std::uint64_t>(d);
    }
    return v;
}

std::int64_t roundHalfEven(double v) {
    if (!std::isfinite(v)) return 0;
    if (v > 9.2e18) return INT64_MAX;
    if (v < -9.2e18) return INT64_MIN;
    return static_cast<std::int64_t>(std::nearbyint(v));
}

std::string tamed(std::string_view s, std::string_view kept) {
    std::string out(s);
    for (char& c : out)
        if (!isAsciiAlnum(c) && kept.find(c) == std::string_view::npos) c = '_';
    return out;
}

} // namespace kestrel
