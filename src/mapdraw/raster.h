#pragma once
// A map picture's pixels: 0xAARRGGBB words in native order, row by row from the top left, as the
// PNG writer takes them.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kestrel::mapdraw {

class Raster {
  public:
    // Every pixel `ground`.
    Raster(int width, int height, std::uint32_t ground)
        : width_(width), height_(height),
          pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), ground) {}

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
    std::vector<std::uint32_t> pixels_;
};

} // namespace kestrel::mapdraw
