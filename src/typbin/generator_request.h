#pragma once
// What the numbered-element generator dialog hands back: which kind of file, the first type (or
// ID), the count, the output path and the options.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kestrel {

// The generator kinds, numbered as the Tools menu items that start them.
enum class GeneratorKind : std::uint8_t {
    ExtraPois = 2,
    Pois = 3,
    Lines = 4,
    Polygons = 5,
    ActiveRoutes = 6,
};

// The kind started by a Tools menu item index (2 to 6); nothing for other items.
std::optional<GeneratorKind> generatorKindFromMenu(int index);
// "Extra POIS", "POIS", "Lines", "Polygons", "Active Routes".
std::string_view kindName(GeneratorKind kind);

inline constexpr std::uint8_t kDefaultLineWidth = 4;

// Field values above this are held at it, so that sums and products of them cannot overflow;
// every check of the dialog refuses such values anyway.
inline constexpr std::uint64_t kFieldValueCap = (std::uint64_t{1} << 40) - 1;

// The number in a start or count field, read in hexadecimal or decimal up to the first character
// that is not a digit of that base; 0 when there is none ("text that is not a number counts as 0").
std::uint64_t fieldValue(std::string_view text, bool hexadecimal);

struct GeneratorRequest {
    GeneratorKind kind = GeneratorKind::Pois;
    // First type as hexadecimal digits without prefix; for extra POIs the first ID in decimal.
    std::string start;
    std::uint32_t count = 0;
    std::string path;
    bool ignoreSubtypes = false;                // the step flag: one type per element
    std::uint8_t lineWidth = kDefaultLineWidth; // lines and active routes, 1 to 10
};

} // namespace kestrel
