#pragma once
// Builds IMG containers for the complete scan byte by byte: a TRE subfile with map levels,
// subdivisions and extended-type offsets and an RGN subfile with each subdivision's data and the
// three extended sections (`tileSubfiles`), placed into a container with a directory of 512-byte
// blocks, in the blocks each subfile is given (`container`).
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "support/img_builder.h"

namespace kestrel::test {

// A subdivision's content flags (byte 3 of its record).
inline constexpr std::uint8_t kHoldsPoints = 0x10;
inline constexpr std::uint8_t kHoldsPolygons = 0x80;

struct TileLayout {
    struct Subdivision {
        std::uint8_t level = 0;          // index into `zooms`; subdivisions come in level order
        std::uint8_t content = 0;        // kHolds... flags
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
// Header fields are placed by their offsets as numbers, not the reader's names for them.
inline std::vector<PlacedSubfile> tileSubfiles(const TileLayout& tile, std::int64_t treBase = 0,
                                               std::int64_t rgnBase = 0) {
    const auto tb = [&](std::int64_t v) { return static_cast<std::uint32_t>(v + treBase); };
    const auto rb = [&](std::int64_t v) { return static_cast<std::uint32_t>(v + rgnBase); };
    constexpr std::int64_t treHeader = 0xBC, rgnHeader = 0x7D, extRecord = 13;
    ImgBuilder treFile(0), rgnFile(0);
    treFile.header(0, "TRE", treHeader);
    rgnFile.header(0, "RGN", rgnHeader);
    std::int64_t at = treHeader;
    // TRE 0x21-0x24: the levels' offset, 0x25-0x28: their size; 4 bytes a level.
    treFile.put4(0x21, tb(at)).put4(0x25, static_cast<std::uint32_t>(4 * tile.zooms.size()));
    for (std::size_t l = 0; l < tile.zooms.size(); ++l, at += 4) {
        std::uint32_t n = 0;
        for (const auto& s : tile.subdivisions) n += s.level == l;
        treFile.put1(at, tile.zooms[l]).put1(at + 1, 24 - l).put2(at + 2, n);
    }
    treFile.put4(0x29, tb(at)); // 0x29-0x2C: the subdivisions' offset
    const std::int64_t subdivisions = at;
    std::int64_t data = rgnHeader;
    std::array<Bytes, 3> sections;
    ImgBuilder offsets(0);
    std::int64_t ext = 0;
    for (const auto& s : tile.subdivisions) {
        // RGN offset 0-2, content 3, width 10-11 with bit 15 set: the last of its level.
        treFile.put4(at, static_cast<std::uint32_t>(data - rgnHeader)).put1(at + 3, s.content);
        treFile.put2(at + 10, 0x8000);
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
    treFile.put4(0x2D, static_cast<std::uint32_t>(at - subdivisions)); // 0x2D-0x30: their size
    // 0x7C-0x7F: the extended-type offsets' offset, 0x80-0x83: size, 0x84-0x85: record size.
    treFile.put4(0x7C, tb(at)).put4(0x80, static_cast<std::uint32_t>(ext + extRecord));
    treFile.put2(0x84, extRecord);
    const std::string o = offsets.bytes();
    treFile.putText(at, o).put1(at + ext + extRecord - 1, 0);
    // RGN 0x15-0x18: the subdivisions' data, 0x19-0x1C: its size; then the extended sections'
    // offsets and sizes: polygons 0x1D and 0x21, lines 0x39 and 0x3D, points 0x55 and 0x59.
    rgnFile.put4(0x15, rb(rgnHeader)).put4(0x19, static_cast<std::uint32_t>(data - rgnHeader));
    constexpr std::array<std::int64_t, 3> fields{0x1D, 0x39, 0x55};
    for (std::size_t k = 0; k < 3; ++k) {
        rgnFile.put4(fields[k], rb(data));
        rgnFile.put4(fields[k] + 4, static_cast<std::uint32_t>(sections[k].size()));
        rgnFile.putBytes(data, sections[k]);
        data += static_cast<std::int64_t>(sections[k].size());
    }
    return {{"TRE", treFile.bytes(), {}}, {"RGN", rgnFile.bytes(), {}}};
}

// A container holding the subfiles; the directory takes the first blocks (one entry each).
// Container header: 0x10-0x16 "DSKIMG\0", 0x61 and 0x62 the block size's exponents. The entries
// follow from 0x200, 512 bytes each: 0x00 in use, 0x01-0x08 name, 0x09-0x0B type, 0x0C-0x0F size,
// 0x20-0x1FF 240 block numbers (0xFFFF: none).
inline std::string container(const std::vector<PlacedSubfile>& files, std::uint8_t key = 0) {
    constexpr std::int64_t firstEntry = 0x200, entryBytes = 512;
    ImgBuilder img(0);
    img.putText(0x10, std::string("DSKIMG\0", 7)).put1(0x61, 9);
    const std::int64_t dirEnd = firstEntry + entryBytes * (1 + std::ssize(files));
    img.put1(firstEntry, 1).putText(firstEntry + 1, "           ");
    img.put4(firstEntry + 0x0C, static_cast<std::uint32_t>(dirEnd));
    auto next = static_cast<std::uint16_t>((dirEnd + kTileBlock - 1) / kTileBlock);
    std::int64_t entry = firstEntry;
    for (const PlacedSubfile& f : files) {
        entry += entryBytes;
        img.put1(entry, 1).putText(entry + 0x01, f.name).putText(entry + 0x09, f.type);
        img.put4(entry + 0x0C, static_cast<std::uint32_t>(f.bytes.size()));
        std::vector<std::uint16_t> blocks = f.blocks;
        while (blocks.size() < (f.bytes.size() + kTileBlock - 1) / kTileBlock)
            blocks.push_back(next++);
        for (int i = 0; i < 240; ++i) {
            const bool used = static_cast<std::size_t>(i) < blocks.size();
            img.put2(entry + 0x20 + 2 * i, used ? blocks[i] : 0xFFFF);
            if (used && static_cast<std::size_t>(i) * kTileBlock < f.bytes.size())
                img.putText(blocks[i] * kTileBlock, f.bytes.substr(i * kTileBlock, kTileBlock));
        }
    }
    return img.bytes(key);
}

} // namespace kestrel::test
