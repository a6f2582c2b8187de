#include "mapdraw/png_bytes.h"

#include <cstring>
#include <vector>
#include <zlib.h>

namespace kestrel::mapdraw {
namespace {

constexpr std::uint8_t kFilterSub = 1;
constexpr int kBytesPerPixel = 3;
// The compressed stream grows by this much at a time.
constexpr std::size_t kOutputStep = std::size_t{1} << 16;

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
    z_stream z{};
    if (deflateInit2(&z, 1, Z_DEFLATED, 15, 8, Z_RLE) != Z_OK) return std::nullopt;
    // Row by row, so that neither the filtered picture nor room for its worst case is ever held.
    std::vector<std::uint8_t> filtered(1 + static_cast<std::size_t>(width) * kBytesPerPixel);
    std::string idat;
    // Deflates the input, the output growing as it needs.
    const auto deflated = [&](int flush) {
        int r = Z_OK;
        do {
            if (idat.size() - z.total_out < kOutputStep) idat.resize(z.total_out + 2 * kOutputStep);
            z.next_out = reinterpret_cast<Bytef*>(idat.data() + z.total_out);
            z.avail_out = static_cast<uInt>(idat.size() - z.total_out);
            r = deflate(&z, flush);
        } while (r == Z_OK && (z.avail_out == 0 || flush == Z_FINISH));
        return flush == Z_FINISH ? r == Z_STREAM_END : r == Z_OK || r == Z_BUF_ERROR;
    };
    bool sound = true;
    for (int y = 0; y < height && sound; ++y) {
        std::uint8_t* to = filtered.data();
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
        z.next_in = filtered.data();
        z.avail_in = static_cast<uInt>(filtered.size());
        sound = deflated(Z_NO_FLUSH);
    }
    sound = sound && deflated(Z_FINISH);
    idat.resize(z.total_out);
    deflateEnd(&z);
    if (!sound) return std::nullopt;

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
