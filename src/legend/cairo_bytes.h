#pragma once
// Cairo's output streams into bytes in memory.
#include <cairo.h>

#include <optional>
#include <string>

namespace kestrel::legend {

// A cairo_write_func_t appending to the std::string its closure points to.
cairo_status_t appendBytes(void* closure, const unsigned char* data, unsigned int length);
// An image surface as PNG bytes; nothing when the surface is in error or Cairo could not write it.
std::optional<std::string> pngBytes(cairo_surface_t* surface);

} // namespace kestrel::legend
