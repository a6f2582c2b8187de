#pragma once
// The built-in polygon styles, keyed by bare type ("0x4a") or extended code ("0x10d01").
#include <array>
#include <string_view>

namespace kestrel {

enum class PolygonFill {
    Stripes,    // the default stripe fill; `colour` (when set) replaces the random colour 0
    Picture,    // one of the built-in pictures 1 to 8
    Solid,      // one colour
    Background, // one colour, for the map's background types (no stripe of their own)
};

struct PolygonStyle {
    std::string_view key;
    PolygonFill fill;
    std::string_view colour; // six hexadecimal digits, or empty
    int picture = 0;         // Picture rows only
};

inline constexpr auto kPolygonStyles = std::to_array<PolygonStyle>({
    {"0x01", PolygonFill::Stripes, "CCCCCC"},    {"0x02", PolygonFill::Stripes, "CCCCCC"},
    {"0x03", PolygonFill::Stripes, "CCCCCC"},    {"0x04", PolygonFill::Stripes, ""},
    {"0x05", PolygonFill::Picture, "", 8},       {"0x06", PolygonFill::Picture, "", 8},
    {"0x10d01", PolygonFill::Stripes, "e9e9d3"}, {"0x08", PolygonFill::Stripes, "DCA3A3"},
    {"0x0c", PolygonFill::Stripes, "BCA9A9"},    {"0x13", PolygonFill::Stripes, "DFD1D6"},
    {"0x14", PolygonFill::Stripes, "BFFF80"},    {"0x15", PolygonFill::Stripes, "BFFF80"},
    {"0x16", PolygonFill::Stripes, "BFFF80"},    {"0x18", PolygonFill::Picture, "", 5},
    {"0x50", PolygonFill::Picture, "", 1},       {"0x4f", PolygonFill::Picture, "", 2},
    {"0x1f", PolygonFill::Stripes, "8AD3AF"},    {"0x1e", PolygonFill::Stripes, "8AD3AF"},
    {"0x17", PolygonFill::Stripes, "8AD3AF"},    {"0x0a", PolygonFill::Stripes, "FAFD86"},
    {"0x0b", PolygonFill::Picture, "", 7},       {"0x1a", PolygonFill::Picture, "", 4},
    {"0x51", PolygonFill::Picture, "", 3},       {"0x28", PolygonFill::Solid, "B7F7FF"},
    {"0x32", PolygonFill::Solid, "B7F7FF"},      {"0x3b", PolygonFill::Solid, "B7F7FF"},
    {"0x3c", PolygonFill::Solid, "B7F7FF"},      {"0x3d", PolygonFill::Solid, "B7F7FF"},
    {"0x3e", PolygonFill::Solid, "B7F7FF"},      {"0x3f", PolygonFill::Solid, "B7F7FF"},
    {"0x40", PolygonFill::Solid, "B7F7FF"},      {"0x41", PolygonFill::Solid, "B7F7FF"},
    {"0x42", PolygonFill::Solid, "B7F7FF"},      {"0x43", PolygonFill::Solid, "B7F7FF"},
    {"0x44", PolygonFill::Solid, "B7F7FF"},      {"0x45", PolygonFill::Solid, "B7F7FF"},
    {"0x46", PolygonFill::Solid, "B7F7FF"},      {"0x47", PolygonFill::Solid, "B7F7FF"},
    {"0x48", PolygonFill::Solid, "B7F7FF"},      {"0x49", PolygonFill::Solid, "B7F7FF"},
    {"0x4c", PolygonFill::Solid, "B7F7FF"},      {"0x0e", PolygonFill::Solid, "CCCCCC"},
    {"0x19", PolygonFill::Picture, "", 6},       {"0x4b", PolygonFill::Background, "FFFFEE"},
    {"0x4a", PolygonFill::Background, "EEEE9F"},
});

// The first row for the key, or nothing.
inline const PolygonStyle* findPolygonStyle(std::string_view key) {
    for (const auto& row : kPolygonStyles)
        if (row.key == key) return &row;
    return nullptr;
}

} // namespace kestrel
