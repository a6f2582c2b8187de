#pragma once
// The shapes of a map tile at one map level: every polygon, line and point of the subdivisions of
// that level, with their coordinates in map units (see MapPoint), decoded from the RGN records
// with each subdivision's centre and its level's bits per coordinate.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/platform/platform.h"
#include "base/uiport.h"
#include "mapread/decode_note.h"
#include "mapread/img_directory.h"
#include "mapread/map_buffer.h"
#include "mapread/tre_levels.h"
#include "mapread/type_tally.h"

namespace kestrel {

// One object: its code (as TypeCount codes it) and its points, `count` of them from `first` on
// in the tile's point list; a point object has one.
struct MapShape {
    std::uint32_t code = 0;
    std::uint32_t first = 0;
    std::uint32_t count = 0;
    bool operator==(const MapShape&) const = default;
};

struct GeometryRequest {
    // The map level to read: a tile's level of this number, else its nearest finer one (its
    // finest when every one is coarser). 0 is the finest.
    unsigned zoom = 0;
    // Only subdivisions that reach into this area; nothing: all of them.
    std::optional<MapArea> within;
    // More points than this in one tile are refused (the objects after the one that reaches it):
    // no real tile comes near, and a hostile one would otherwise take memory in proportion to its
    // bits.
    std::size_t maxPoints = std::size_t{1} << 26;
};

// The sections of a tile's RGN to read: all, or the standard and the extended apart.
enum class TileSections { All, Standard, Extended };

struct TileGeometry {
    std::string name;
    MapArea area;                 // as the TRE header gives it
    std::optional<unsigned> zoom; // the level read; nothing when the levels could not be read
    std::array<std::vector<MapShape>, kObjectKinds> shapes; // by ObjectKind, in RGN order
    // In large pages from its start on where the system has them: the biggest list by far.
    std::vector<MapPoint, platform::LargePageAllocator<MapPoint>> points;
    // Where decoding stopped, and the first object whose coordinates could not be read (the
    // others are counted): the objects before and around them are kept.
    std::vector<DecodeNote> notes;
    std::uint64_t damagedShapes = 0;

    const std::vector<MapShape>& list(ObjectKind kind) const {
        return shapes[static_cast<std::size_t>(kind)];
    }

    // Decodes the tile of the map in the buffer (its key already set). Yields to the user
    // interface between subdivisions and honours its stop flag (a Stopped note). The extended
    // part says nothing of the tile as a whole (its levels): the standard part does.
    static TileGeometry read(const MapBuffer& buf, const ImgTile& tile,
                             const GeometryRequest& request, UiPort& ui,
                             TileSections sections = TileSections::All);
    // Makes this, a tile's standard part, and `extended`, its extended part read apart, hold
    // what one read of all the sections gives, their shapes taken in that order: the tile's notes
    // and damaged count come to this. The shapes and points stay in their parts (copying them
    // took longer than reading them); near the cap on points, where the standard part left off
    // decides what the extended sections add, they are read again into this and `extended` is
    // left empty.
    void join(TileGeometry& extended, const MapBuffer& buf, const ImgTile& tile,
              const GeometryRequest& request, UiPort& ui);

  private:
    static void readInto(const MapBuffer& buf, const ImgTile& tile, const GeometryRequest& request,
                         UiPort& ui, TileSections sections, TileGeometry& g);
};

} // namespace kestrel
