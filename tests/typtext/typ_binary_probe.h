#pragma once
// Reads back what a TYP compiler wrote: the header's code page, family and product, and per kind
// the records of the index, so tests can compare them with the text they compiled.
#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kestrel::test {

struct TypRecord {
    std::uint32_t type; // 0x1300 for a standard type, 0x10D01 for an extended one
    std::string bytes;  // the record, up to the next one
};

struct TypProbe {
    int codepage = 0;
    int fid = 0;
    int pid = 0;
    std::array<std::vector<TypRecord>, 3> records; // 0 polygons, 1 lines, 2 points

    const TypRecord* find(int kind, std::uint32_t type) const {
        for (const auto& r : records[static_cast<std::size_t>(kind)])
            if (r.type == type) return &r;
        return nullptr;
    }
};

inline std::uint32_t le(const std::string& d, std::size_t at, int n) {
    std::uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i)
        v = (v << 8) | (at + static_cast<std::size_t>(i) < d.size()
                            ? static_cast<std::uint8_t>(d[at + static_cast<std::size_t>(i)])
                            : 0u);
    return v;
}

// Colour text RRGGBB of the three bytes blue, green, red at `at`.
inline std::string bgrColour(const std::string& d, std::size_t at) {
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    for (std::size_t i : {at + 2, at + 1, at}) {
        const auto b = static_cast<std::uint8_t>(i < d.size() ? d[i] : 0);
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

inline std::optional<TypProbe> probeTyp(const std::string& d) {
    if (d.size() < 0x5B || d.substr(2, 10) != "GARMIN TYP") return std::nullopt;
    TypProbe p;
    p.codepage = static_cast<int>(le(d, 0x15, 2));
    p.fid = static_cast<int>(le(d, 0x2F, 2));
    p.pid = static_cast<int>(le(d, 0x31, 2));
    // Data sections at 0x17 (points), 0x1F (lines), 0x27 (polygons); their indexes at 0x33,
    // 0x3D, 0x47: offset (4 bytes), item size (2), size (4).
    const std::array<std::pair<std::size_t, std::size_t>, 3> at{
        {{0x27, 0x47}, {0x1F, 0x3D}, {0x17, 0x33}}};
    for (std::size_t kind = 0; kind < 3; ++kind) {
        const std::uint32_t dataOff = le(d, at[kind].first, 4);
        const std::uint32_t dataSize = le(d, at[kind].first + 4, 4);
        const std::uint32_t indexOff = le(d, at[kind].second, 4);
        const std::uint32_t item = le(d, at[kind].second + 4, 2);
        const std::uint32_t indexSize = le(d, at[kind].second + 6, 4);
        if (item < 3 || dataOff + dataSize > d.size() || indexOff + indexSize > d.size()) continue;
        std::vector<std::pair<std::uint32_t, std::uint32_t>> entries; // type, offset
        for (std::uint32_t e = 0; e + item <= indexSize; e += item) {
            const std::uint32_t word = le(d, indexOff + e, 2);
            const std::uint32_t off = le(d, indexOff + e + 2, static_cast<int>(item - 2));
            const std::uint32_t type = (word >> 5) & 0xFF, sub = word & 0x1F;
            const bool extended = (word & 0x2000) != 0;
            entries.push_back({extended ? 0x10000 | (type << 8) | sub : (type << 8) | sub, off});
        }
        std::vector<std::uint32_t> offsets;
        for (const auto& e : entries) offsets.push_back(e.second);
        std::sort(offsets.begin(), offsets.end());
        for (const auto& [type, off] : entries) {
            const auto next = std::upper_bound(offsets.begin(), offsets.end(), off);
            const std::uint32_t end = next == offsets.end() ? dataSize : *next;
            p.records[kind].push_back({type, d.substr(dataOff + off, end - off)});
        }
    }
    return p;
}

} // namespace kestrel::test
