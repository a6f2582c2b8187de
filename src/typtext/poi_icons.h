#pragma once
// The ready-made point icons: code -> number of the icon file "bmps/N.txt" in the data folder.
#include <array>
#include <string_view>
#include <unordered_map>

namespace kestrel {

struct PoiIcon {
    std::string_view key;
    int icon;
};

inline constexpr auto kPoiIcons = std::to_array<PoiIcon>({
    {"0x2f0c", 1},   {"0x4e00", 1},   {"0x2f01", 3},   {"0x11001", 3},  {"0x2a00", 5},
    {"0x10b00", 5},  {"0x2a07", 6},   {"0x10b07", 6},  {"0x2e05", 7},   {"0x10f05", 7},
    {"0x2c02", 8},   {"0x2c03", 9},   {"0x10d03", 9},  {"0x2b00", 10},  {"0x2c05", 11},
    {"0x2c07", 12},  {"0x2c0b", 13},  {"0x2c06", 14},  {"0x2c04", 15},  {"0x2c08", 16},
    {"0x2d01", 17},  {"0x10e01", 17}, {"0x2d05", 18},  {"0x10e05", 18}, {"0x2d02", 19},
    {"0x10e02", 19}, {"0x2d03", 20},  {"0x10e03", 20}, {"0x2f02", 21},  {"0x11002", 21},
    {"0x2f03", 22},  {"0x11003", 22}, {"0x2f05", 23},  {"0x11005", 23}, {"0x2f06", 24},
    {"0x11006", 24}, {"0x2f0b", 25},  {"0x1100b", 25}, {"0x2f08", 26},  {"0x11008", 26},
    {"0x2f0e", 27},  {"0x1100e", 27}, {"0x5100", 28},  {"0x640f", 29},  {"0x5400", 30},
    {"0x2d09", 30},  {"0x6616", 31},  {"0x6411", 32},  {"0x4c00", 33},  {"0x6404", 34},
    {"0x6401", 35},  {"0x3002", 36},  {"0x11102", 36}, {"0x3001", 37},  {"0x11101", 37},
    {"0x2f07", 38},  {"0x11007", 38}, {"0x2d0a", 39},  {"0x10e0a", 39}, {"0x2b01", 40},
    {"0x10c00", 40}, {"0x2e02", 41},  {"0x10f03", 41}, {"0x10f06", 41},
});

// Icons for codes written without a subtype, used when the table has none.
struct BareIcon {
    std::string_view digits;
    int icon;
};
inline constexpr auto kBareTypeIcons = std::to_array<BareIcon>({{"2a", 5}, {"2b", 10}, {"2e", 4}});

// The icon of the first row for the code, 0 when there is none.
inline int findPoiIcon(std::string_view code) {
    static const std::unordered_map<std::string_view, int> byCode = [] {
        std::unordered_map<std::string_view, int> m;
        for (const auto& row : kPoiIcons) m.emplace(row.key, row.icon); // keeps the first row
        return m;
    }();
    const auto it = byCode.find(code);
    return it == byCode.end() ? 0 : it->second;
}

} // namespace kestrel
