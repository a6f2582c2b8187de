#include "mapdraw/png_bytes.h"

#include <array>
#include <cstring>
#include <span>
#include <vector>
#include <zlib.h>

namespace kestrel::mapdraw {
namespace {

constexpr std::uint8_t kFilterNone = 0, kFilterSub = 1;
constexpr std::uint8_t kColourRgb = 2, kColourPalette = 3;
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

// The picture's colours (0xRRGGBB) in the order they first appear, when they are at most 256; a
// table finds each one's index.
class Palette {
  public:
    // Nothing past 256 colours.
    static std::optional<Palette> of(const std::uint8_t* pixels, int width, int height,
                                     int stride) {
        Palette p;
        std::uint32_t last = kNoColour; // runs of one colour looked up once
        for (int y = 0; y < height; ++y) {
            const std::uint8_t* row = pixels + static_cast<std::ptrdiff_t>(y) * stride;
            for (int x = 0; x < width; ++x) {
                const std::uint32_t c = rgbAt(row, x);
                if (c == last) continue;
                last = c;
                if (p.index(c) < 0) return std::nullopt;
            }
        }
        return p;
    }

    static std::uint32_t rgbAt(const std::uint8_t* row, int x) {
        std::uint32_t v;
        std::memcpy(&v, row + 4 * static_cast<std::ptrdiff_t>(x), 4);
        return v & 0xFFFFFF;
    }

    // No colour of a picture.
    static constexpr std::uint32_t kNoColour = 0x1000000;

    // The colour's index, added when new; -1 when the palette is full.
    int index(std::uint32_t rgb) {
        std::size_t slot = (rgb * 2654435761u) >> (32 - kSlotBits);
        for (; slots_[slot].index >= 0; slot = (slot + 1) & (kSlots - 1))
            if (slots_[slot].rgb == rgb) return slots_[slot].index;
        if (colours_.size() == kMaxColours) return -1;
        slots_[slot] = {rgb, static_cast<int>(colours_.size())};
        colours_.push_back(rgb);
        return slots_[slot].index;
    }

    // The PLTE chunk's data.
    std::string entries() const {
        std::string out;
        for (const std::uint32_t c : colours_)
            out += {static_cast<char>(c >> 16), static_cast<char>(c >> 8), static_cast<char>(c)};
        return out;
    }

  private:
    static constexpr std::size_t kMaxColours = 256, kSlotBits = 10, kSlots = 1 << kSlotBits;
    struct Slot {
        std::uint32_t rgb = 0;
        int index = -1;
    };
    std::array<Slot, kSlots> slots_{};
    std::vector<std::uint32_t> colours_;
};

// Deflates rows handed to it into an IDAT's data, fast and in runs.
class Deflater {
  public:
    Deflater() : begun_(deflateInit2(&z_, 1, Z_DEFLATED, 15, 8, Z_RLE) == Z_OK), sound_(begun_) {}
    ~Deflater() {
        if (begun_) deflateEnd(&z_);
    }
    Deflater(const Deflater&) = delete;
    Deflater& operator=(const Deflater&) = delete;

    bool sound() const { return sound_; }
    void row(std::span<std::uint8_t> bytes) {
        z_.next_in = bytes.data();
        z_.avail_in = static_cast<uInt>(bytes.size());
        sound_ = sound_ && deflated(Z_NO_FLUSH);
    }
    // The compressed stream; nothing when the compressor failed.
    std::optional<std::string> finish() {
        sound_ = sound_ && deflated(Z_FINISH);
        if (!sound_) return std::nullopt;
        idat_.resize(z_.total_out);
        return std::move(idat_);
    }

  private:
    // Deflates the input, the output growing as it needs.
    bool deflated(int flush) {
        int r = Z_OK;
        do {
            if (idat_.size() - z_.total_out < kOutputStep)
                idat_.resize(z_.total_out + 2 * kOutputStep);
            z_.next_out = reinterpret_cast<Bytef*>(idat_.data() + z_.total_out);
            z_.avail_out = static_cast<uInt>(idat_.size() - z_.total_out);
            r = deflate(&z_, flush);
        } while (r == Z_OK && (z_.avail_out == 0 || flush == Z_FINISH));
        return flush == Z_FINISH ? r == Z_STREAM_END : r == Z_OK || r == Z_BUF_ERROR;
    }

    z_stream z_{};
    bool begun_, sound_;
    std::string idat_;
};

} // namespace

std::optional<std::string> pngBytes(const std::uint8_t* pixels, int width, int height, int stride) {
    Deflater deflater;
    std::optional<Palette> palette = Palette::of(pixels, width, height, stride);
    // Row by row, so that neither the filtered picture nor room for its worst case is ever held.
    const std::size_t perPixel = palette ? 1 : kBytesPerPixel;
    std::vector<std::uint8_t> filtered(1 + static_cast<std::size_t>(width) * perPixel);
    for (int y = 0; y < height && deflater.sound(); ++y) {
        std::uint8_t* to = filtered.data();
        const std::uint8_t* from = pixels + static_cast<std::ptrdiff_t>(y) * stride;
        if (palette) {
            // Indices unfiltered: a flat area is already a run of one byte.
            *to++ = kFilterNone;
            std::uint32_t colour = Palette::kNoColour;
            std::uint8_t index = 0;
            for (int x = 0; x < width; ++x, *to++ = index)
                if (const std::uint32_t c = Palette::rgbAt(from, x); c != colour)
                    colour = c, index = static_cast<std::uint8_t>(palette->index(c));
        } else {
            *to++ = kFilterSub;
            std::uint8_t left[kBytesPerPixel] = {0, 0, 0};
            for (int x = 0; x < width; ++x) {
                const std::uint32_t v = Palette::rgbAt(from, x);
                const std::uint8_t rgb[kBytesPerPixel] = {static_cast<std::uint8_t>(v >> 16),
                                                          static_cast<std::uint8_t>(v >> 8),
                                                          static_cast<std::uint8_t>(v)};
                for (int c = 0; c < kBytesPerPixel; ++c) {
                    *to++ = static_cast<std::uint8_t>(rgb[c] - left[c]);
                    left[c] = rgb[c];
                }
            }
        }
        deflater.row(filtered);
    }
    const std::optional<std::string> idat = deflater.finish();
    if (!idat) return std::nullopt;

    std::string png("\x89PNG\r\n\x1a\n", 8);
    std::string header;
    put32(header, static_cast<std::uint32_t>(width));
    put32(header, static_cast<std::uint32_t>(height));
    // 8 bits, palette or RGB, deflate, filters, no interlace
    header += {8, static_cast<char>(palette ? kColourPalette : kColourRgb), 0, 0, 0};
    chunk(png, "IHDR", header);
    if (palette) chunk(png, "PLTE", palette->entries());
    chunk(png, "IDAT", *idat);
    chunk(png, "IEND", "");
    return png;
}

} // namespace kestrel::mapdraw
