#pragma once
// Owning handles for Cairo's reference-counted objects, so that every path out of a function
// releases them.
#include <cairo.h>

#include <memory>

namespace kestrel::draw {

struct SurfaceRelease {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct PatternRelease {
    void operator()(cairo_pattern_t* p) const { cairo_pattern_destroy(p); }
};
struct ContextRelease {
    void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};

using Surface = std::unique_ptr<cairo_surface_t, SurfaceRelease>;
using Pattern = std::unique_ptr<cairo_pattern_t, PatternRelease>;
using Context = std::unique_ptr<cairo_t, ContextRelease>;

} // namespace kestrel::draw
