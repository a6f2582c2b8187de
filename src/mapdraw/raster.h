#pragma once
// A map picture's pixels: 0xAARRGGBB words in native order, row by row from the top left, as the
// PNG writer takes them. It holds a band of the picture's rows at a time (or all of them).
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "base/platform/platform.h"

namespace kestrel::mapdraw {

// Rows top to bottom - 1 of a picture: the part one thread draws.
struct RowBand {
    int top, bottom;
};

class Raster {
  public:
    // Room for `rows` rows of a picture of width x height; a band of them held with hold(). The
    // pixels lie in large pages where the system gives them: a picture of millions of pixels
    // otherwise takes a page fault per 1,024 of them.
    Raster(int width, int height, int rows)
        : width_(width), height_(height),
          pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(rows)) {}
    Raster(const Raster&) = delete;
    Raster& operator=(const Raster&) = delete;

    // The rows of the band held (no more than the room), every pixel `ground`: only they may be
    // painted until another band is held.
    void hold(RowBand band, std::uint32_t ground) {
        held_ = band;
        std::fill(pixels_.data(), row(band.bottom), ground);
    }

    int width() const { return width_; }
    int height() const { return height_; }
    std::uint32_t* row(int y) {
        return pixels_.data() + static_cast<std::ptrdiff_t>(y - held_.top) * width_;
    }
    const std::uint32_t* row(int y) const {
        return pixels_.data() + static_cast<std::ptrdiff_t>(y - held_.top) * width_;
    }
    // The rows held.
    const std::uint8_t* bytes() const {
        return reinterpret_cast<const std::uint8_t*>(pixels_.data());
    }

  private:
    int width_, height_;
    RowBand held_{0, 0};
    platform::LargeArray<std::uint32_t> pixels_;
};

} // namespace kestrel::mapdraw
