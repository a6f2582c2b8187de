#include "mapdraw/png_bytes.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <span>
#include <string_view>
#include <vector>
#include <zlib.h>

#include "mapdraw/on_threads.h"

namespace kestrel::mapdraw {
namespace {

// Rows taken together on one thread; the bytes of the PNG depend on it.
constexpr int kBandRows = 128;
constexpr std::uint8_t kFilterNone = 0, kFilterSub = 1;
constexpr std::uint8_t kColourRgb = 2, kColourPalette = 3;
constexpr int kBytesPerPixel = 3;

template <class Bytes> void put32(Bytes& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>(v >> shift & 0xFF);
}

// A chunk: length, type, the data `append` adds, and the CRC of type and data.
template <class Append> void chunk(PngFile& out, const char* type, const Append& append) {
    const std::size_t at = out.size();
    put32(out, 0);
    out.append(type, 4);
    append(out);
    const auto length = static_cast<std::uint32_t>(out.size() - at - 8);
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<char>(length >> (24 - 8 * i) & 0xFF);
    const auto* bytes = reinterpret_cast<const Bytef*>(out.data() + at + 4);
    put32(out, static_cast<std::uint32_t>(crc32(0, bytes, length + 4)));
}

// The picture's colours (0xRRGGBB) in the order they first appear, when they are at most 256; a
// table finds each one's index.
class Palette {
  public:
    // Nothing past 256 colours.
    static std::optional<Palette> of(const std::uint8_t* pixels, int width, int height,
                                     int stride) {
        Palette p;
        if (!p.add(pixels, width, height, stride)) return std::nullopt;
        return p;
    }

    // The colours of the rows added, after those already in it; false past 256 colours.
    bool add(const std::uint8_t* pixels, int width, int height, int stride) {
        std::uint32_t last = kNoColour; // runs of one colour looked up once
        for (int y = 0; y < height; ++y) {
            const std::uint8_t* row = pixels + static_cast<std::ptrdiff_t>(y) * stride;
            for (int x = 0; x < width; ++x) {
                const std::uint32_t c = rgbAt(row, x);
                if (c == last) continue;
                last = c;
                if (index(c) < 0) return false;
            }
        }
        return true;
    }

    // The colours of the other palette added after these; false past 256 colours.
    bool add(const Palette& other) {
        return std::all_of(other.colours_.begin(), other.colours_.end(),
                           [this](std::uint32_t c) { return index(c) >= 0; });
    }

    static std::uint32_t rgbAt(const std::uint8_t* row, int x) {
        std::uint32_t v;
        std::memcpy(&v, row + 4 * static_cast<std::ptrdiff_t>(x), 4);
        return v & 0xFFFFFF;
    }

    // No colour of a picture.
    static constexpr std::uint32_t kNoColour = 0x1000000;

    // The index of a colour it holds.
    std::uint8_t find(std::uint32_t rgb) const {
        std::size_t slot = (rgb * 2654435761u) >> (32 - kSlotBits);
        while (slots_[slot].index < 0 || slots_[slot].rgb != rgb) slot = (slot + 1) & (kSlots - 1);
        return static_cast<std::uint8_t>(slots_[slot].index);
    }

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

// The picture's rows as the IDAT's data: each band of kBandRows rows filtered and deflated apart,
// on whichever thread takes it, into a part of one deflate stream (each ends on a byte, the last
// ends the stream), the parts joined behind the zlib header. The bands never depend on the
// threads, so neither do the bytes; matches only reach back a pixel, so little is lost at a band's
// start.
class Idat {
  public:
    Idat(const std::uint8_t* pixels, int width, int height, int stride,
         const std::optional<Palette>& palette, int threads)
        : pixels_(pixels), width_(width), height_(height), stride_(stride), palette_(palette),
          parts_(static_cast<std::size_t>(bands(height))),
          deflaters_(static_cast<std::size_t>(std::max(1, threads))) {
        const std::size_t rowBytes =
            1 + static_cast<std::size_t>(width) * (palette ? 1 : kBytesPerPixel);
        // A flush ends each band with a few bytes more than the bound of one deflate.
        room_ =
            parts_.size() * (deflateBound(nullptr, static_cast<uLong>(rowBytes * kBandRows)) + 16);
    }

    static int bands(int height) { return (height + kBandRows - 1) / kBandRows; }

    // Band b filtered and deflated on thread k; false when the compressor failed.
    bool deflateBand(int b, int k) {
        const int top = b * kBandRows, bottom = std::min(height_, top + kBandRows);
        const std::size_t perPixel = palette_ ? 1 : kBytesPerPixel;
        const std::size_t rowBytes = 1 + static_cast<std::size_t>(width_) * perPixel;
        Deflater& d = deflaters_[static_cast<std::size_t>(k)];
        d.filtered.resize(rowBytes * static_cast<std::size_t>(bottom - top));
        for (int y = top; y < bottom; ++y)
            filter(pixels_ + static_cast<std::ptrdiff_t>(y) * stride_,
                   d.filtered.data() + rowBytes * static_cast<std::size_t>(y - top));
        Part& part = parts_[static_cast<std::size_t>(b)];
        part.adler = adler32(1, d.filtered.data(), static_cast<uInt>(d.filtered.size()));
        part.length = d.filtered.size();
        part.thread = k;
        part.at = d.used;
        if (!d.deflate(bottom == height_, room_)) return false;
        part.size = d.used - part.at;
        return true;
    }

    // The zlib stream of the bands deflated.
    void appendTo(PngFile& out) const {
        std::size_t size = out.size() + 6;
        for (const Part& p : parts_) size += p.size;
        out.reserve(size);
        out += {'\x78', '\x01'}; // deflate, 32 KiB window, fastest
        uLong adler = 1;
        for (const Part& p : parts_) {
            const auto& kept = deflaters_[static_cast<std::size_t>(p.thread)].kept;
            out.append(reinterpret_cast<const char*>(kept.data() + p.at), p.size);
            adler = adler32_combine(adler, p.adler, static_cast<z_off_t>(p.length));
        }
        put32(out, static_cast<std::uint32_t>(adler));
    }

  private:
    // One thread's compressor and room, kept from band to band: fresh memory costs a page fault
    // per page. The bands it deflated lie one after the other in room for the whole picture, in
    // large pages put in as they are filled.
    struct Deflater {
        z_stream z{};
        bool begun = false;
        std::vector<std::uint8_t> filtered;
        platform::LargeBuffer kept;
        std::size_t used = 0; // of kept

        Deflater() = default;
        Deflater(const Deflater&) = delete;
        Deflater& operator=(const Deflater&) = delete;
        ~Deflater() {
            if (begun) deflateEnd(&z);
        }

        // The filtered rows after the bands kept, as raw deflate, fast, in runs: ending the
        // stream or on a byte. `room`: the most the picture's bands take. False when the
        // compressor failed or the room could not be had.
        bool deflate(bool last, std::size_t room) {
            if (!begun) {
                if (deflateInit2(&z, 1, Z_DEFLATED, -15, 8, Z_RLE) != Z_OK) return false;
                begun = true;
                kept = platform::LargeBuffer(room, false);
            } else if (deflateReset(&z) != Z_OK) {
                return false;
            }
            if (!kept.data()) return false;
            z.next_in = filtered.data();
            z.avail_in = static_cast<uInt>(filtered.size());
            z.next_out = kept.data() + used;
            z.avail_out = static_cast<uInt>(std::min<std::size_t>(kept.size() - used, UINT_MAX));
            const int r = ::deflate(&z, last ? Z_FINISH : Z_SYNC_FLUSH);
            if (last ? r != Z_STREAM_END : r != Z_OK) return false;
            used += z.total_out;
            return true;
        }
    };

  private:
    struct Part {
        int thread = 0;               // whose kept bytes hold it
        std::size_t at = 0, size = 0; // there
        uLong adler = 1;              // of its filtered rows
        std::size_t length = 0;       // of those
    };

    void filter(const std::uint8_t* from, std::uint8_t* to) const {
        if (palette_) {
            // Indices unfiltered: a flat area is already a run of one byte.
            *to++ = kFilterNone;
            std::uint32_t colour = Palette::kNoColour;
            std::uint8_t index = 0;
            for (int x = 0; x < width_; ++x, *to++ = index)
                if (const std::uint32_t c = Palette::rgbAt(from, x); c != colour)
                    colour = c, index = palette_->find(c);
            return;
        }
        *to++ = kFilterSub;
        std::uint8_t left[kBytesPerPixel] = {0, 0, 0};
        for (int x = 0; x < width_; ++x) {
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

    const std::uint8_t* pixels_;
    int width_, height_, stride_;
    const std::optional<Palette>& palette_;
    std::vector<Part> parts_;
    std::vector<Deflater> deflaters_; // one per thread
    std::size_t room_ = 0;            // that the bands' deflated bytes may take
};

} // namespace

std::optional<PngFile> pngBytes(const std::uint8_t* pixels, int width, int height, int stride,
                                int threads) {
    // The palette of each band of rows, then theirs joined in the order of the bands: the
    // colours in the order they first appear, as one thread would find them.
    const int bands = Idat::bands(height);
    std::vector<std::optional<Palette>> palettes(static_cast<std::size_t>(bands));
    std::optional<Palette> palette;
    const bool few = onThreadsEach(bands, threads, [&](int b, int) {
        const int top = b * kBandRows, rows = std::min(kBandRows, height - top);
        auto& p = palettes[static_cast<std::size_t>(b)];
        p = Palette::of(pixels + static_cast<std::ptrdiff_t>(top) * stride, width, rows, stride);
        return p.has_value();
    });
    if (few) {
        palette.emplace();
        for (const std::optional<Palette>& p : palettes)
            if (!palette->add(*p)) {
                palette.reset();
                break;
            }
    }
    Idat idat(pixels, width, height, stride, palette, threads);
    if (!onThreadsEach(bands, threads, [&](int b, int k) { return idat.deflateBand(b, k); }))
        return std::nullopt;

    PngFile png("\x89PNG\r\n\x1a\n", 8);
    std::string header;
    put32(header, static_cast<std::uint32_t>(width));
    put32(header, static_cast<std::uint32_t>(height));
    // 8 bits, palette or RGB, deflate, filters, no interlace
    header += {8, static_cast<char>(palette ? kColourPalette : kColourRgb), 0, 0, 0};
    chunk(png, "IHDR", [&](PngFile& out) { out.append(header); });
    if (palette) chunk(png, "PLTE", [&](PngFile& out) { out.append(palette->entries()); });
    chunk(png, "IDAT", [&](PngFile& out) { idat.appendTo(out); });
    chunk(png, "IEND", [](PngFile&) {});
    return png;
}

} // namespace kestrel::mapdraw
