#pragma once
// The parts of a TYP file a read note or a write error points into.
#include <cstdint>

namespace kestrel::typ {

enum class TypPart : std::uint8_t {
    Header,
    Polygons,
    Lines,
    Points,
    IconSets,
    IconLabels, // the label section of the icon sets
    ActiveRoutes,
    DrawOrder,
};

} // namespace kestrel::typ
