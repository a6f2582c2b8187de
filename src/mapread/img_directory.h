#pragma once
// The directory of an IMG container: the 512-byte entries after the container header. Each names
// a subfile (8-character name, 3-character type), gives its size, its part number (a subfile
// longer than one entry's 240 blocks continues in further entries) and the blocks that hold it.
// A tile of the map is a name that owns TRE and RGN subfiles, or a GMP subfile (NT maps).
#include <cstdint>
#include <string>
#include <vector>

#include "mapread/decode_note.h"
#include "mapread/map_buffer.h"
#include "mapread/subfile_view.h"

namespace kestrel {

namespace img {
inline constexpr std::int64_t kSignature = 0x10;      // 0x10-0x16, "DSKIMG\0"
inline constexpr std::int64_t kBlockExponent1 = 0x61; // 0x61, block size = 2^(e1 + e2)
inline constexpr std::int64_t kBlockExponent2 = 0x62; // 0x62
inline constexpr std::int64_t kFirstEntry = 0x200;    // entries follow the 512-byte header
inline constexpr std::int64_t kEntryBytes = 512;
// Fields of an entry, from its start.
inline constexpr std::int64_t kEntryFlag = 0x00;     // 0x00, 1 when in use
inline constexpr std::int64_t kEntryName = 0x01;     // 0x01-0x08
inline constexpr std::int64_t kEntryType = 0x09;     // 0x09-0x0B
inline constexpr std::int64_t kEntryFileSize = 0x0C; // 0x0C-0x0F
inline constexpr std::int64_t kEntryPart = 0x10;     // 0x10-0x11
inline constexpr std::int64_t kEntryBlocks = 0x20;   // 0x20-0x1FF, 240 block numbers
inline constexpr int kBlocksPerEntry = 240;
inline constexpr std::uint32_t kNoBlock = 0xFFFF;
} // namespace img

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

struct ImgDirectory {
    std::uint32_t blockSize = 0;
    std::vector<ImgTile> tiles; // in the order their names first appear
    std::vector<DecodeNote> notes;

    // Reads the directory of the map in the buffer (its key already set). A file that is one GMP
    // subfile on its own gives one NT tile without a name.
    static ImgDirectory read(const MapBuffer& buf);
};

} // namespace kestrel
