#pragma once
// A picture as PNG bytes, made for speed and deflated in runs, which suits a map's flat colours:
// a byte per pixel into a palette when the picture holds at most 256 colours (a map drawn in a
// TYP's colours nearly always does), else 8-bit RGB rows, each filtered by its left neighbour
// (areas of one colour become zeros).
// Cairo's own writer compresses harder and takes several times as long on a large picture.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/platform/platform.h"

namespace kestrel::mapdraw {

// A PNG file's bytes, in large pages from its start on where the system has them: a map's picture
// runs to megabytes, and fresh ordinary pages cost a page fault each.
using PngFile = std::basic_string<char, std::char_traits<char>, platform::LargePageAllocator<char>>;

// The rows a PNG is made in, band by band, and a map picture painted: the bytes of the file depend
// on it, never on the threads. Each band's painter passes over every shape, and projects again
// those that reach into two, so bands of 128 rows painted slower than 256.
inline constexpr int kPngBandRows = 256;

// A PNG made band by band as the picture is painted, so that the picture's pixels need never be
// held whole: each band of rows is handed in once, on any thread, and kept as palette indices
// when it holds at most 256 colours, else as RGB rows. Once all are in, the bands' palettes are
// joined in their order (the colours in the order they first appear) and each band is deflated
// on the threads into a part of one deflate stream (each ends on a byte, the last ends the
// stream); matches only reach back a pixel, so little is lost at a band's start.
class PngBands {
  public:
    // A picture of width x height pixels, made on up to `threads` threads.
    PngBands(int width, int height, int threads);
    ~PngBands();
    PngBands(const PngBands&) = delete;
    PngBands& operator=(const PngBands&) = delete;

    int bands() const;
    // Band b, its rows from b * kPngBandRows on (fewer in the last), on thread k (below
    // `threads`): pixels of 32 bits (0xXXRRGGBB in native order, Cairo's RGB24), rows `stride`
    // bytes apart. False when memory ran out.
    bool add(int b, int k, const std::uint8_t* pixels, int stride);
    // The file, once every band is in; nothing when the compressor failed or memory ran out.
    std::optional<PngFile> finish();

  private:
    struct Thread;
    struct Band;
    int width_, height_, threads_;
    std::vector<Band> bands_;
    std::vector<Thread> rooms_; // one per thread
    std::size_t storeRoom_ = 0, keptRoom_ = 0;
};

} // namespace kestrel::mapdraw
