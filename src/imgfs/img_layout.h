#pragma once
// The byte layout of a Garmin IMG container, as mkgmap and other map writers make it and as
// devices and map viewers read it. Offsets count from the start of the file (header fields) or of
// a directory entry (entry fields); values are little-endian.
//
// The file is cut into blocks of 2^(e1 + e2) bytes. The first blocks hold the 512-byte header and
// the directory: 512-byte entries, the first of which (blank name and type) describes the header
// and the directory themselves; its size is where the directory ends. Every other entry in use
// names a subfile (8-character name, 3-character type), gives its size and lists up to 240 of
// the blocks holding it, in order; a longer subfile continues in further entries of the same
// name and type (its parts). A block number of 0xFFFF ends the list. When the first byte of the
// file is not 0, every byte of the file is XORed with it (a "masked" file).
#include <cstdint>

namespace kestrel::img {

// Header.
inline constexpr std::int64_t kMask = 0x00;           // 0x00, the XOR mask of the whole file
inline constexpr std::int64_t kSignature = 0x10;      // 0x10-0x16, "DSKIMG\0"
inline constexpr std::int64_t kSectors = 0x18;        // 0x18-0x19, disk geometry: sectors per track
inline constexpr std::int64_t kHeads = 0x1A;          // 0x1A-0x1B, heads
inline constexpr std::int64_t kCylinders = 0x1C;      // 0x1C-0x1D, cylinders
inline constexpr std::int64_t kHeads2 = 0x5D;         // 0x5D-0x5E, the heads again
inline constexpr std::int64_t kSectors2 = 0x5F;       // 0x5F-0x60, the sectors again
inline constexpr std::int64_t kBlockExponent1 = 0x61; // 0x61, block size = 2^(e1 + e2)
inline constexpr std::int64_t kBlockExponent2 = 0x62; // 0x62
inline constexpr std::int64_t kBlocksPlusOne = 0x63;  // 0x63-0x64, the file's blocks + 1
// The one partition of the disk the file pretends to be, in the boot-sector layout: it covers the
// file's blocks + 1, in 512-byte sectors.
inline constexpr std::int64_t kPartitionEnd = 0x1C3;     // 0x1C3-0x1C5, its last sector as C/H/S
inline constexpr std::int64_t kPartitionSectors = 0x1CA; // 0x1CA-0x1CD
inline constexpr std::int64_t kBootSignature = 0x1FE;    // 0x1FE-0x1FF, 55 AA
inline constexpr std::int64_t kHeaderBytes = 0x200;
// Directory: the first entry in use at or after 0x200 describes the header and the directory.
inline constexpr std::int64_t kFirstEntry = 0x200;
inline constexpr std::int64_t kEntryBytes = 512;

// Fields of an entry, from its start.
inline constexpr std::int64_t kEntryFlag = 0x00;     // 0x00, 1 when in use
inline constexpr std::int64_t kEntryName = 0x01;     // 0x01-0x08
inline constexpr std::int64_t kEntryType = 0x09;     // 0x09-0x0B
inline constexpr std::int64_t kEntryFileSize = 0x0C; // 0x0C-0x0F, in the first part; 0 in others
// 0x10-0x11: the part number. mkgmap writes the part in 0x11 (counting 0, 1, ... 255, 0, 1 ...
// for subfiles of more than 256 parts) and 0x10 = 3 for the header's own entry; writers differ.
inline constexpr std::int64_t kEntryPart = 0x10;
inline constexpr std::int64_t kEntryPartByte = 0x11;
inline constexpr std::int64_t kEntryBlocks = 0x20; // 0x20-0x1FF, 240 block numbers
inline constexpr int kBlocksPerEntry = 240;
inline constexpr int kNameBytes = 8;
inline constexpr int kTypeBytes = 3;
inline constexpr std::uint32_t kNoBlock = 0xFFFF;

// Block sizes read and written: 2^9 to 2^30 bytes (mkgmap: 2^9 to 2^14 for a 1 GiB map).
inline constexpr int kMinBlockExponent = 9;
inline constexpr int kMaxBlockExponent = 30;

} // namespace kestrel::img
