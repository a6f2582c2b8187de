#pragma once
// The size fields of an IMG header. The header pretends that the file is a disk: a geometry of
// sectors per track, heads and cylinders (512-byte sectors) that must hold the whole file, the
// file's block count + 1, and a boot-sector partition over those blocks. mkgmap picks the
// geometry from a fixed list: 4, 8, 16 and then 32 sectors with 16 heads, then 32 sectors with
// 32, 64 and 128 heads, taking the first that needs at most 1023 cylinders; the cylinders are
// the next power of two, at least 32, at most 1023.
#include <cstdint>
#include <string>

namespace kestrel::img {

struct DiskGeometry {
    std::uint32_t sectors = 0;
    std::uint32_t heads = 0;
    std::uint32_t cylinders = 0;
    std::uint64_t capacity() const { return std::uint64_t(sectors) * heads * cylinders; }
};

// The geometry mkgmap gives a file of that many sectors.
DiskGeometry geometryFor(std::uint64_t sectors);

// Fits the size fields of the header (its first 512 bytes, unmasked) to a file of `blocks` blocks
// of 2^exponent bytes. The geometry is kept while it holds the file.
void fitHeader(std::string& header, std::uint64_t blocks, int exponent);

} // namespace kestrel::img
