#pragma once
// The 24 fixed swatches of the colour-slot window and where they sit: four per row, six rows.
#include <array>
#include <string_view>

namespace kestrel {

// RRGGBB texts in swatch order ("fc5830" occurs twice, as the program always had it).
inline constexpr std::array<std::string_view, 24> kPalette{
    "ffff00", "ff00ff", "0000ff", "ffffff", "e2202c", "e62565", "9b2fae", "673fb4",
    "4054b2", "587bf8", "1eaaf1", "1fbcd2", "159588", "2c992d", "8cc152", "cdda49",
    "fee94e", "fdc02f", "fd9727", "fc5830", "fc5830", "9e9e9e", "785549", "000000"};

inline constexpr int kSwatchesPerRow = 4;
inline constexpr int kSwatchGap = 10;    // between two swatches of a row
inline constexpr int kSwatchRowGap = 16; // between two rows

struct SwatchPlace {
    int x = 0;
    int y = 0;
};

// Top-left corner of swatch k (0-23) for square swatches of the given size, from the grid's
// corner: each swatch right of the previous one, a new row after every fourth.
constexpr SwatchPlace swatchPlace(int k, int size) {
    return {(k % kSwatchesPerRow) * (size + kSwatchGap),
            (k / kSwatchesPerRow) * (size + kSwatchRowGap)};
}

} // namespace kestrel
