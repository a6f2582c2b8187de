#pragma once
// The built-in line styles, keyed by bare type ("0x06"), and the bitmap line patterns.
#include <array>
#include <optional>
#include <string_view>

namespace kestrel {

// A cell left empty keeps the value it had.
struct LineStyle {
    std::string_view key;
    std::optional<int> width;      // pixels
    std::optional<int> border;     // pixels
    std::string_view colour;       // empty: keep
    std::string_view borderColour; // empty: keep
    int pattern;                   // 0: plain colours; else a pattern of kLinePatterns
};

inline constexpr auto kLineStyles = std::to_array<LineStyle>({
    {"0x01", 6, 2, "E9B912", "FF5300", 0}, {"0x02", 4, 1, "FF8040", "", 0},
    {"0x03", 3, 1, "C4136E", "", 0},       {"0x04", 2, 1, "ECC508", "", 0},
    {"0x05", 2, 1, "FFFF00", "", 0},       {"0x06", 2, 1, "FFFFFF", "", 0},
    {"0x07", 1, 1, "a0a0a0", "", 0},       {"0x0a", {}, {}, "", "", 10},
    {"0x0f", {}, {}, "", "", 11},          {"0x16", {}, {}, "", "", 16},
    {"0x10", {}, {}, "", "", 17},          {"0x0d", {}, {}, "", "", 17},
    {"0x0e", {}, {}, "", "", 17},          {"0x20", 1, 0, "FF8040", "", 0},
    {"0x21", 1, 0, "FFBD9D", "", 0},       {"0x22", 2, 0, "FFBD9D", "", 0},
    {"0x23", 2, 0, "FFBD9D", "", 0},       {"0x24", 2, 0, "FFBD9D", "", 0},
    {"0x25", 2, 0, "FFBD9D", "", 0},       {"0x27", 10, 0, "0c0c0c", "", 0},
    {"0x18", 4, 0, "B7F7FF", "", 0},       {"0x26", 8, 1, "B7F7FF", "", 0},
    {"0x1f", 8, 1, "B7F7FF", "", 0},       {"0x14", {}, {}, "", "", 14},
});

struct LinePattern {
    int index;
    std::string_view header;
    std::string_view colour0; // colour line without quotes
    std::string_view colour1;
    std::array<std::string_view, 5> rows; // `height` rows are used
    int height;
};

inline constexpr std::string_view kDash = "00011111000111110001111100011111";
inline constexpr std::string_view kBrownDash = "00000000000011110000000000001111";
inline constexpr std::string_view kBlank = "00000000000000000000000000000000";

inline constexpr auto kLinePatterns = std::to_array<LinePattern>({
    {10, "32 2 2 1", "0 c #000000", "1 c none", {kDash, kDash}, 2},
    {11, "32 3 2 1", "0 c #804000", "1 c none", {kBrownDash, kBrownDash, kBrownDash}, 3},
    {14,
     "32 5 2 1",
     "0 c #000000",
     "1 c #FFFFFF",
     {kBlank, kBlank, "00000011111110000000001111111000", kBlank, kBlank},
     5},
    {16, "32 2 2 1", "0 c #269329", "1 c none", {kDash, kDash}, 2},
    {17,
     "32 3 2 1",
     "0 c #0000ff",
     "1 c none",
     {"00000111111111110000011111111110", "00000111111111110000011111111110",
      "00000111111111110000011111111110"},
     3},
});

inline const LineStyle* findLineStyle(std::string_view key) {
    for (const auto& row : kLineStyles)
        if (row.key == key) return &row;
    return nullptr;
}

inline const LinePattern* findLinePattern(int index) {
    for (const auto& p : kLinePatterns)
        if (p.index == index) return &p;
    return nullptr;
}

} // namespace kestrel
