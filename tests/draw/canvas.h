#pragma once
// An image surface to paint on in tests, white at first, and its pixels read back.
#include <cairo.h>

#include <cstdint>
#include <cstring>

#include "draw/cairo_handles.h"
#include "typfile/rgb.h"

namespace kestrel::draw {

// The colour at (x, y) of an opaque image surface.
inline typ::Rgb pixelAt(cairo_surface_t* surface, int x, int y) {
    cairo_surface_flush(surface);
    const unsigned char* row =
        cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface);
    std::uint32_t v;
    std::memcpy(&v, row + 4 * x, 4);
    return {static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8),
            static_cast<std::uint8_t>(v)};
}

class Canvas {
  public:
    Canvas(int width, int height)
        : surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
          cr_(cairo_create(surface_.get())) {
        cairo_set_source_rgb(cr_.get(), 1, 1, 1);
        cairo_paint(cr_.get());
    }
    cairo_t* cr() const { return cr_.get(); }
    typ::Rgb at(int x, int y) const { return pixelAt(surface_.get(), x, y); }

  private:
    Surface surface_;
    Context cr_;
};

} // namespace kestrel::draw
