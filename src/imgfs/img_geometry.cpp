#include "imgfs/img_geometry.h"

#include <array>

#include "imgfs/img_layout.h"

namespace kestrel::img {
namespace {

constexpr std::uint32_t kMaxCylinders = 1023;
constexpr std::uint32_t kMinCylinders = 32;
constexpr std::array<std::pair<std::uint32_t, std::uint32_t>, 7> kSectorsHeads{
    {{4, 16}, {8, 16}, {16, 16}, {32, 16}, {32, 32}, {32, 64}, {32, 128}}};

std::uint32_t get16(const std::string& h, std::int64_t at) {
    return static_cast<std::uint8_t>(h[static_cast<std::size_t>(at)]) |
           static_cast<std::uint32_t>(
               static_cast<std::uint8_t>(h[static_cast<std::size_t>(at) + 1]))
               << 8;
}

void put8(std::string& h, std::int64_t at, std::uint32_t v) {
    h[static_cast<std::size_t>(at)] = static_cast<char>(v & 0xFF);
}
void put16(std::string& h, std::int64_t at, std::uint32_t v) {
    put8(h, at, v);
    put8(h, at + 1, v >> 8);
}
void put32(std::string& h, std::int64_t at, std::uint32_t v) {
    put16(h, at, v & 0xFFFF);
    put16(h, at + 2, v >> 16);
}

} // namespace

DiskGeometry geometryFor(std::uint64_t sectors) {
    for (const auto& [s, h] : kSectorsHeads) {
        const std::uint64_t needed = (sectors + std::uint64_t(s) * h - 1) / (std::uint64_t(s) * h);
        if (needed > kMaxCylinders) continue;
        std::uint32_t c = kMinCylinders;
        while (c < needed) c *= 2;
        return {s, h, c < kMaxCylinders ? c : kMaxCylinders};
    }
    return {kSectorsHeads.back().first, kSectorsHeads.back().second, kMaxCylinders};
}

void fitHeader(std::string& header, std::uint64_t blocks, int exponent) {
    const std::uint64_t sectors = ((blocks + 1) << exponent) / 512;
    DiskGeometry g{get16(header, kSectors), get16(header, kHeads), get16(header, kCylinders)};
    if (g.capacity() < sectors) {
        g = geometryFor(sectors);
        put16(header, kSectors, g.sectors);
        put16(header, kHeads, g.heads);
        put16(header, kCylinders, g.cylinders);
        put16(header, kHeads2, g.heads);
        put16(header, kSectors2, g.sectors);
    }
    put16(header, kBlocksPlusOne,
          blocks + 1 < 0xFFFF ? static_cast<std::uint32_t>(blocks + 1) : 0xFFFF);
    if (get16(header, kBootSignature) != 0xAA55) return;
    const std::uint64_t last = sectors - 1;
    std::uint64_t c = last / (std::uint64_t(g.sectors) * g.heads);
    if (c > kMaxCylinders) c = kMaxCylinders;
    const auto head = static_cast<std::uint32_t>((last / g.sectors) % g.heads);
    const auto sector = static_cast<std::uint32_t>(last % g.sectors + 1);
    put8(header, kPartitionEnd, head);
    put8(header, kPartitionEnd + 1, (sector & 0x3F) | ((c >> 2) & 0xC0));
    put8(header, kPartitionEnd + 2, c & 0xFF);
    put32(header, kPartitionSectors,
          sectors > 0xFFFFFFFF ? 0xFFFFFFFF : static_cast<std::uint32_t>(sectors));
}

} // namespace kestrel::img
