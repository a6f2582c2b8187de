#pragma once
// The tiles of a map: the subfiles of its IMG directory (imgfs/img_directory) that the complete
// scan reads, grouped by name. A tile is a name that owns TRE and RGN subfiles, or a GMP subfile
// (NT maps).
#include <cstdint>
#include <string>
#include <vector>

#include "mapread/decode_note.h"
#include "mapread/map_buffer.h"
#include "mapread/subfile_view.h"

namespace kestrel {

namespace gmp {
// Where the TRE, RGN and LBL headers lie inside an NT map's GMP subfile, from its start.
inline constexpr std::int64_t kTreHeader = 0x19; // 0x19-0x1C
inline constexpr std::int64_t kRgnHeader = 0x1D; // 0x1D-0x20
inline constexpr std::int64_t kLblHeader = 0x21; // 0x21-0x24
} // namespace gmp

struct ImgSubfile {
    bool found = false;
    std::int64_t size = 0;         // bytes, as far as blocks inside the file hold them
    std::vector<ByteRange> ranges; // runs of consecutive blocks, in the subfile's order
};

struct ImgTile {
    std::string name;
    ImgSubfile tre, rgn, lbl, gmp;
    bool nt() const { return gmp.found; }
};

// Where a tile's TRE and RGN headers lie: in their own subfiles, or both inside the GMP subfile
// of an NT map.
struct TileHeaders {
    SubfileView tre;
    SubfileView rgn;
    std::int64_t treHeader = 0;
    std::int64_t rgnHeader = 0;
    const char* treName = "TRE";
    const char* rgnName = "RGN";

    // The tile's headers in `bytes`, which hold the file from `base` on.
    static TileHeaders of(const MapBuffer& bytes, const ImgTile& tile, std::int64_t base = 0);
};

struct ImgDirectory {
    std::vector<ImgTile> tiles; // in the order their names first appear
    std::vector<DecodeNote> notes;

    // Reads the directory of the map in the buffer (its key already set). A file that is one GMP
    // subfile on its own gives one NT tile without a name.
    static ImgDirectory read(const MapBuffer& buf);
};

} // namespace kestrel
