#pragma once
// A map picture's pixels: 0xAARRGGBB words in native order, row by row from the top left, as the
// PNG writer takes them.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "base/platform/platform.h"

namespace kestrel::mapdraw {

class Raster {
  public:
    // Every pixel `ground`. The pixels lie in large pages where the system gives them: a picture
    // of millions of pixels otherwise takes a page fault per 1,024 of them.
    Raster(int width, int height, std::uint32_t ground)
        : width_(width), height_(height),
          pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
        std::fill(pixels_.data(), pixels_.data() + pixels_.size(), ground);
    }
    Raster(const Raster&) = delete;
    Raster& operator=(const Raster&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }
    std::uint32_t* row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
    const std::uint32_t* row(int y) const {
        return pixels_.data() + static_cast<std::size_t>(y) * width_;
    }
    const std::uint8_t* bytes() const {
        return reinterpret_cast<const std::uint8_t*>(pixels_.data());
    }

  private:
    int width_, height_;
    platform::LargeArray<std::uint32_t> pixels_;
};

} // namespace kestrel::mapdraw
