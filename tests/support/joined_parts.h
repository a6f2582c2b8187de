#pragma once
// A tile read in two parts and joined, as the one read it stands for: the extended part's shapes
// and points after the standard part's, for comparing with a read of all the sections.
#include <cstdint>
#include <utility>

#include "mapread/tile_geometry.h"

namespace kestrel::test {

inline TileGeometry oneReadOf(TileGeometry standard, const TileGeometry& extended) {
    const auto base = static_cast<std::uint32_t>(standard.points.size());
    standard.points.insert(standard.points.end(), extended.points.begin(), extended.points.end());
    for (std::size_t k = 0; k < standard.shapes.size(); ++k)
        for (MapShape s : extended.shapes[k]) {
            s.first += base;
            standard.shapes[k].push_back(s);
        }
    // Whatever notes the extended part kept were lost to the tile.
    standard.notes.insert(standard.notes.end(), extended.notes.begin(), extended.notes.end());
    standard.damagedShapes += extended.damagedShapes;
    return standard;
}

} // namespace kestrel::test
