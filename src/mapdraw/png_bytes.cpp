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
    // The rows as a PNG's palette rows, each its filter byte (none: a flat area is already a run
    // of one byte) and its pixels' indices, the colours added as they come; false past 256.
    bool index(const std::uint8_t* pixels, int width, int height, int stride, std::uint8_t* to) {
        std::uint32_t last = kNoColour; // runs of one colour looked up once
        std::uint8_t at = 0;
        for (int y = 0; y < height; ++y) {
            const std::uint8_t* row = pixels + static_cast<std::ptrdiff_t>(y) * stride;
            *to++ = kFilterNone;
            for (int x = 0; x < width; ++x, *to++ = at) {
                const std::uint32_t c = rgbAt(row, x);
                if (c == last) continue;
                last = c;
                const int i = index(c);
                if (i < 0) return false;
                at = static_cast<std::uint8_t>(i);
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

    std::uint32_t colour(std::size_t i) const { return colours_[i]; }
    std::size_t size() const { return colours_.size(); }

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

// A row of 32-bit pixels as a PNG's RGB row: its filter byte and each colour byte less the one of
// the pixel to its left (an area of one colour becomes zeros).
template <class ColourAt>
std::uint8_t* rgbRow(int width, const ColourAt& colourAt, std::uint8_t* to) {
    *to++ = kFilterSub;
    std::uint8_t left[kBytesPerPixel] = {0, 0, 0};
    for (int x = 0; x < width; ++x) {
        const std::uint32_t v = colourAt(x);
        const std::uint8_t rgb[kBytesPerPixel] = {static_cast<std::uint8_t>(v >> 16),
                                                  static_cast<std::uint8_t>(v >> 8),
                                                  static_cast<std::uint8_t>(v)};
        for (int c = 0; c < kBytesPerPixel; ++c) {
            *to++ = static_cast<std::uint8_t>(rgb[c] - left[c]);
            left[c] = rgb[c];
        }
    }
    return to;
}

} // namespace

// Each thread's room, kept from band to band (fresh memory costs a page fault per page): the bands
// it was handed, one after the other, as filtered rows; then the bands it deflated, and its
// compressor. Both rooms are sized for the whole picture, in large pages put in as they are
// filled.
struct PngBands::Thread {
    platform::LargeBuffer store, kept;
    std::size_t stored = 0, used = 0;
    std::vector<std::uint8_t> rgb; // a band of palette rows made RGB again
    z_stream z{};
    bool begun = false;

    Thread() = default;
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;
    ~Thread() {
        if (begun) deflateEnd(&z);
    }

    // The filtered rows after the bands deflated before, as raw deflate, fast, in runs: ending
    // the stream or on a byte. False when the compressor failed or the room could not be had.
    bool deflate(std::span<const std::uint8_t> rows, bool last, std::size_t room) {
        if (!begun) {
            if (deflateInit2(&z, 1, Z_DEFLATED, -15, 8, Z_RLE) != Z_OK) return false;
            begun = true;
            kept = platform::LargeBuffer(room, false);
        } else if (deflateReset(&z) != Z_OK) {
            return false;
        }
        if (!kept.data()) return false;
        z.next_in = const_cast<std::uint8_t*>(rows.data()); // zlib's type; it only reads them
        z.avail_in = static_cast<uInt>(rows.size());
        z.next_out = kept.data() + used;
        z.avail_out = static_cast<uInt>(std::min<std::size_t>(kept.size() - used, UINT_MAX));
        const int r = ::deflate(&z, last ? Z_FINISH : Z_SYNC_FLUSH);
        if (last ? r != Z_STREAM_END : r != Z_OK) return false;
        used += z.total_out;
        return true;
    }
};

struct PngBands::Band {
    int thread = 0;                 // whose store holds its rows
    std::size_t at = 0, size = 0;   // there
    std::optional<Palette> palette; // its rows' colours: palette rows; nothing: RGB rows
    int deflatedBy = 0;             // whose kept bytes hold it deflated
    std::size_t deflatedAt = 0, deflatedSize = 0;
    uLong adler = 1;        // of the rows deflated
    std::size_t length = 0; // of those
};

PngBands::PngBands(int width, int height, int threads)
    : width_(width), height_(height), threads_(std::max(1, threads)),
      bands_(static_cast<std::size_t>((height + kPngBandRows - 1) / kPngBandRows)),
      rooms_(static_cast<std::size_t>(threads_)) {
    const std::size_t rgbBytes =
        (1 + static_cast<std::size_t>(width) * kBytesPerPixel) * static_cast<std::size_t>(height);
    storeRoom_ = rgbBytes;
    // A flush ends each band with a few bytes more than the bound of one deflate.
    keptRoom_ = deflateBound(nullptr, static_cast<uLong>(rgbBytes)) + 16 * bands_.size();
}

PngBands::~PngBands() = default;

int PngBands::bands() const {
    return static_cast<int>(bands_.size());
}

bool PngBands::add(int b, int k, const std::uint8_t* pixels, int stride) {
    const int rows = std::min(kPngBandRows, height_ - b * kPngBandRows);
    Thread& t = rooms_[static_cast<std::size_t>(k)];
    if (!t.store.data()) t.store = platform::LargeBuffer(storeRoom_, false);
    if (!t.store.data()) return false;
    Band& band = bands_[static_cast<std::size_t>(b)];
    band.thread = k;
    band.at = t.stored;
    std::uint8_t* to = t.store.data() + t.stored;
    band.palette.emplace();
    if (band.palette->index(pixels, width_, rows, stride, to)) {
        band.size = (1 + static_cast<std::size_t>(width_)) * static_cast<std::size_t>(rows);
    } else {
        band.palette.reset();
        std::uint8_t* end = to;
        for (int y = 0; y < rows; ++y) {
            const std::uint8_t* row = pixels + static_cast<std::ptrdiff_t>(y) * stride;
            end = rgbRow(
                width_, [row](int x) { return Palette::rgbAt(row, x); }, end);
        }
        band.size = static_cast<std::size_t>(end - to);
    }
    t.stored += band.size;
    return true;
}

std::optional<PngFile> PngBands::finish() {
    // The bands' palettes joined in their order: the colours in the order they first appear.
    std::optional<Palette> palette;
    if (std::all_of(bands_.begin(), bands_.end(), [](const Band& b) { return b.palette; })) {
        palette.emplace();
        for (const Band& b : bands_)
            if (!palette->add(*b.palette)) {
                palette.reset();
                break;
            }
    }
    const int n = static_cast<int>(bands_.size());
    const bool deflated = onThreadsEach(n, threads_, [&](int b, int k) {
        Band& band = bands_[static_cast<std::size_t>(b)];
        Thread& t = rooms_[static_cast<std::size_t>(k)];
        std::uint8_t* rows = rooms_[static_cast<std::size_t>(band.thread)].store.data() + band.at;
        std::span<const std::uint8_t> filtered(rows, band.size);
        const std::size_t rowBytes = 1 + static_cast<std::size_t>(width_);
        if (palette) {
            // The band's own indices made the picture's.
            std::array<std::uint8_t, 256> to{};
            for (std::size_t i = 0; i < band.palette->size(); ++i)
                to[i] = palette->find(band.palette->colour(i));
            for (std::size_t r = 0; r < band.size; r += rowBytes)
                for (std::size_t x = 1; x < rowBytes; ++x) rows[r + x] = to[rows[r + x]];
        } else if (band.palette) {
            t.rgb.resize(band.size / rowBytes * (1 + width_ * std::size_t{kBytesPerPixel}));
            std::uint8_t* end = t.rgb.data();
            for (std::size_t r = 0; r < band.size; r += rowBytes) {
                const std::uint8_t* row = rows + r + 1;
                end = rgbRow(
                    width_, [&](int x) { return band.palette->colour(row[x]); }, end);
            }
            filtered = t.rgb;
        }
        band.adler = adler32(1, filtered.data(), static_cast<uInt>(filtered.size()));
        band.length = filtered.size();
        band.deflatedBy = k;
        band.deflatedAt = t.used;
        if (!t.deflate(filtered, b == n - 1, keptRoom_)) return false;
        band.deflatedSize = t.used - band.deflatedAt;
        return true;
    });
    if (!deflated) return std::nullopt;

    PngFile png("\x89PNG\r\n\x1a\n", 8);
    std::string header;
    put32(header, static_cast<std::uint32_t>(width_));
    put32(header, static_cast<std::uint32_t>(height_));
    // 8 bits, palette or RGB, deflate, filters, no interlace
    header += {8, static_cast<char>(palette ? kColourPalette : kColourRgb), 0, 0, 0};
    chunk(png, "IHDR", [&](PngFile& out) { out.append(header); });
    if (palette) chunk(png, "PLTE", [&](PngFile& out) { out.append(palette->entries()); });
    // The bands' deflated parts joined behind the zlib header into one stream.
    chunk(png, "IDAT", [&](PngFile& out) {
        std::size_t size = out.size() + 6;
        for (const Band& b : bands_) size += b.deflatedSize;
        out.reserve(size);
        out += {'\x78', '\x01'}; // deflate, 32 KiB window, fastest
        uLong adler = 1;
        for (const Band& b : bands_) {
            const std::uint8_t* kept = rooms_[static_cast<std::size_t>(b.deflatedBy)].kept.data();
            out.append(reinterpret_cast<const char*>(kept + b.deflatedAt), b.deflatedSize);
            adler = adler32_combine(adler, b.adler, static_cast<z_off_t>(b.length));
        }
        put32(out, static_cast<std::uint32_t>(adler));
    });
    chunk(png, "IEND", [](PngFile&) {});
    return png;
}

} // namespace kestrel::mapdraw
