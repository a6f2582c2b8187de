#pragma once
// Builds IMG containers for the complete scan byte by byte: a TRE subfile with map levels,
// subdivisions and extended-type offsets and an RGN subfile with each subdivision's data and the
// three extended sections (`tileSubfiles`), placed into a container with a directory of 512-byte
// blocks, in the blocks each subfile is given (`container`).
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "imgfs/img_layout.h"
#include "mapread/img_directory.h"
#include "mapread/rgn_header.h"
#include "mapread/tre_levels.h"
#include "support/img_builder.h"

namespace kestrel::test {

struct TileLayout {
    struct Subdivision {
        std::uint8_t level = 0;          // index into `zooms`; subdivisions come in level order
        std::uint8_t content = 0;        // SubdivisionContent flags
        Bytes data;                      // its RGN data, section pointers included
        std::array<Bytes, 3> extended{}; // its extended polygon, line and point records
    };
    std::vector<std::uint8_t> zooms{0}; // the levels table, least detailed first
    std::vector<Subdivision> subdivisions;
};

struct PlacedSubfile {
    std::string type; // "TRE", "RGN", ...
    std::string bytes;
    std::vector<std::uint16_t> blocks; // empty: the next free blocks, in order
    std::string name = "63240099";
};

inline constexpr std::int64_t kTileBlock = 512;

// The TRE and RGN subfiles of one tile (TRE first). Offsets in the headers count from `base`
// bytes before each header (an NT map's GMP subfile holding both, at those places).
inline std::vector<PlacedSubfile> tileSubfiles(const TileLayout& tile, std::int64_t treBase = 0,
                                               std::int64_t rgnBase = 0) {
    const auto tb = [&](std::int64_t v) { return static_cast<std::uint32_t>(v + treBase); };
    const auto rb = [&](std::int64_t v) { return static_cast<std::uint32_t>(v + rgnBase); };
    constexpr std::int64_t treHeader = 0xBC, rgnHeader = 0x7D, extRecord = 13;
    ImgBuilder treFile(0), rgnFile(0);
    treFile.header(0, "TRE", treHeader);
    rgnFile.header(0, "RGN", rgnHeader);
    std::int64_t at = treHeader;
    treFile.put4(tre::kLevelsOffset, tb(at));
    treFile.put4(tre::kLevelsSize, static_cast<std::uint32_t>(4 * tile.zooms.size()));
    for (std::size_t l = 0; l < tile.zooms.size(); ++l, at += 4) {
        std::uint32_t n = 0;
        for (const auto& s : tile.subdivisions) n += s.level == l;
        treFile.put1(at, tile.zooms[l]).put1(at + 1, 24 - l).put2(at + 2, n);
    }
    treFile.put4(tre::kSubdivisionsOffset, tb(at));
    const std::int64_t subdivisions = at;
    std::int64_t data = rgnHeader;
    std::array<Bytes, 3> sections;
    ImgBuilder offsets(0);
    std::int64_t ext = 0;
    for (const auto& s : tile.subdivisions) {
        treFile.put4(at, static_cast<std::uint32_t>(data - rgnHeader)).put1(at + 3, s.content);
        treFile.put2(at + 10, tre::kLastSubdivision);
        at += s.level + 1u == tile.zooms.size() ? 14 : 16;
        rgnFile.putBytes(data, s.data);
        data += static_cast<std::int64_t>(s.data.size());
        for (std::size_t k = 0; k < 3; ++k) {
            offsets.put4(ext + 4 * static_cast<std::int64_t>(k),
                         static_cast<std::uint32_t>(sections[k].size()));
            sections[k] = sections[k] + s.extended[k];
        }
        ext += extRecord;
    }
    for (std::size_t k = 0; k < 3; ++k)
        offsets.put4(ext + 4 * static_cast<std::int64_t>(k),
                     static_cast<std::uint32_t>(sections[k].size()));
    treFile.put4(tre::kSubdivisionsSize, static_cast<std::uint32_t>(at - subdivisions));
    treFile.put4(tre::kExtTypeOffsets, tb(at));
    treFile.put4(tre::kExtTypeOffsetsSize, static_cast<std::uint32_t>(ext + extRecord));
    treFile.put2(tre::kExtTypeOffsetsRecord, extRecord);
    const std::string o = offsets.bytes();
    treFile.putText(at, o).put1(at + ext + extRecord - 1, 0);
    rgnFile.put4(rgn::kDataOffset, rb(rgnHeader));
    rgnFile.put4(rgn::kDataSize, static_cast<std::uint32_t>(data - rgnHeader));
    constexpr std::array<std::pair<std::int64_t, std::int64_t>, 3> fields{
        {{rgn::kPolygonOffset, rgn::kPolygonSize},
         {rgn::kLineOffset, rgn::kLineSize},
         {rgn::kPointOffset, rgn::kPointSize}}};
    for (std::size_t k = 0; k < 3; ++k) {
        rgnFile.put4(fields[k].first, rb(data));
        rgnFile.put4(fields[k].second, static_cast<std::uint32_t>(sections[k].size()));
        rgnFile.putBytes(data, sections[k]);
        data += static_cast<std::int64_t>(sections[k].size());
    }
    return {{"TRE", treFile.bytes(), {}}, {"RGN", rgnFile.bytes(), {}}};
}

// A container holding the subfiles; the directory takes the first blocks (one entry each).
inline std::string container(const std::vector<PlacedSubfile>& files, std::uint8_t key = 0) {
    ImgBuilder img(0);
    img.putText(img::kSignature, std::string("DSKIMG\0", 7)).put1(img::kBlockExponent1, 9);
    const std::int64_t dirEnd = img::kFirstEntry + img::kEntryBytes * (1 + files.size());
    img.put1(img::kFirstEntry, 1).putText(img::kFirstEntry + 1, "           ");
    img.put4(img::kFirstEntry + img::kEntryFileSize, static_cast<std::uint32_t>(dirEnd));
    auto next = static_cast<std::uint16_t>((dirEnd + kTileBlock - 1) / kTileBlock);
    std::int64_t entry = img::kFirstEntry;
    for (const PlacedSubfile& f : files) {
        entry += img::kEntryBytes;
        img.put1(entry, 1).putText(entry + img::kEntryName, f.name);
        img.putText(entry + img::kEntryType, f.type);
        img.put4(entry + img::kEntryFileSize, static_cast<std::uint32_t>(f.bytes.size()));
        std::vector<std::uint16_t> blocks = f.blocks;
        while (blocks.size() < (f.bytes.size() + kTileBlock - 1) / kTileBlock)
            blocks.push_back(next++);
        for (int i = 0; i < img::kBlocksPerEntry; ++i) {
            const bool used = static_cast<std::size_t>(i) < blocks.size();
            img.put2(entry + img::kEntryBlocks + 2 * i, used ? blocks[i] : img::kNoBlock);
            if (used && static_cast<std::size_t>(i) * kTileBlock < f.bytes.size())
                img.putText(blocks[i] * kTileBlock, f.bytes.substr(i * kTileBlock, kTileBlock));
        }
    }
    return img.bytes(key);
}

} // namespace kestrel::test
