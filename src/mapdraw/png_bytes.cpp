#include "mapdraw/png_bytes.h"

#include <cstring>
#include <vector>
#include <zlib.h>

namespace kestrel::mapdraw {
namespace {

constexpr std::uint8_t kFilterSub = 1;
constexpr int kBytesPerPixel = 3;

void put32(std::string& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>(v >> shift & 0xFF);
}

// A chunk: length, type, data, and the CRC of type and data.
void chunk(std::string& out, const char* type, const std::string& data) {
    put32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t from = out.size();
    out.append(type, 4);
    out += data;
    const auto* bytes = reinterpret_cast<const Bytef*>(out.data() + from);
    put32(out, static_cast<std::uint32_t>(crc32(0, bytes, static_cast<uInt>(out.size() - from))));
}

} // namespace

std::optional<std::string> pngBytes(const std::uint8_t* pixels, int width, int height, int stride) {
    const std::size_t row = 1 + static_cast<std::size_t>(width) * kBytesPerPixel;
    std::vector<std::uint8_t> filtered(row * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        std::uint8_t* to = filtered.data() + row * static_cast<std::size_t>(y);
        const std::uint8_t* from = pixels + static_cast<std::ptrdiff_t>(y) * stride;
        *to++ = kFilterSub;
        std::uint8_t left[kBytesPerPixel] = {0, 0, 0};
        for (int x = 0; x < width; ++x) {
            std::uint32_t v;
            std::memcpy(&v, from + 4 * x, 4);
            const std::uint8_t rgb[kBytesPerPixel] = {static_cast<std::uint8_t>(v >> 16),
                                                      static_cast<std::uint8_t>(v >> 8),
                                                      static_cast<std::uint8_t>(v)};
            for (int c = 0; c < kBytesPerPixel; ++c) {
                *to++ = static_cast<std::uint8_t>(rgb[c] - left[c]);
                left[c] = rgb[c];
            }
        }
    }
    z_stream z{};
    if (deflateInit2(&z, 1, Z_DEFLATED, 15, 8, Z_RLE) != Z_OK) return std::nullopt;
    std::string idat(deflateBound(&z, static_cast<uLong>(filtered.size())), '\0');
    z.next_in = filtered.data();
    z.avail_in = static_cast<uInt>(filtered.size());
    z.next_out = reinterpret_cast<Bytef*>(idat.data());
    z.avail_out = static_cast<uInt>(idat.size());
    const int done = deflate(&z, Z_FINISH);
    idat.resize(z.total_out);
    deflateEnd(&z);
    if (done != Z_STREAM_END) return std::nullopt;

    std::string png("\x89PNG\r\n\x1a\n", 8);
    std::string header;
    put32(header, static_cast<std::uint32_t>(width));
    put32(header, static_cast<std::uint32_t>(height));
    header += std::string("\x08\x02\x00\x00\x00", 5); // 8 bits, RGB, deflate, filters, no interlace
    chunk(png, "IHDR", header);
    chunk(png, "IDAT", idat);
    chunk(png, "IEND", "");
    return png;
}

} // namespace kestrel::mapdraw
