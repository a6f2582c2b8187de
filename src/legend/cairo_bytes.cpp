#include "legend/cairo_bytes.h"

namespace kestrel::legend {

cairo_status_t appendBytes(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

std::optional<std::string> pngBytes(cairo_surface_t* surface) {
    std::string bytes;
    if (cairo_surface_write_to_png_stream(surface, appendBytes, &bytes) != CAIRO_STATUS_SUCCESS)
        return std::nullopt;
    return bytes;
}

} // namespace kestrel::legend
