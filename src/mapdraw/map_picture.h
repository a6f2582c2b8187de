#pragma once
// A picture of a map: the shapes of its tiles at one level, drawn with the styles of a TYP as a
// device draws them (polygons in the draw order, then lines, then points) on white, and written
// as a PNG.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/uiport.h"
#include "draw/looks.h"
#include "mapdraw/png_bytes.h"
#include "mapread/decode_note.h"
#include "mapread/map_buffer.h"
#include "typfile/typ_file.h"

namespace kestrel::mapdraw {

struct PictureRequest {
    unsigned zoom = 0; // the map level, 0 the finest
    int width = 1000;  // pixels, 1 to kMaxPictureSide
    int height = 1000;
    bool wholeMap = false; // fit every tile into the picture, not the first one
    draw::Daytime time =
        draw::Daytime::Day; // Night: the elements' night colours where they have them
    unsigned threads = 0;   // that paint the picture, each a band of its rows; 0: one a processor
};

enum class PictureFault : std::uint8_t {
    NoTiles,    // the map holds no tile with map levels
    CannotDraw, // no memory for the picture, or the compressor failed
    Stopped,    // the user asked to stop
};

struct MapPictureResult {
    std::optional<PictureFault> fault; // set: no picture
    PngFile png;
    std::vector<DecodeNote> notes;   // what could not be decoded; the rest is drawn
    std::uint64_t damagedShapes = 0; // objects whose coordinates could not be read
    std::uint64_t shapes = 0;        // objects drawn (inside the picture or not)
};

// Draws the map in the buffer (its key set). `typ` may be nothing: plain styles only.
MapPictureResult drawMap(const MapBuffer& buf, const typ::TypFile* typ,
                         const PictureRequest& request, UiPort& ui);

} // namespace kestrel::mapdraw
