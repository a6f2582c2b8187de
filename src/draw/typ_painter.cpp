#include "draw/typ_painter.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>

#include "draw/cairo_handles.h"
#include "draw/picture_check.h"

namespace kestrel::draw {
namespace {

// Cairo's pixels: 32 bits in native order, alpha on top, the colours premultiplied by it.
std::uint32_t premultiplied(typ::Rgb c, std::uint8_t opacity) {
    const auto mul = [opacity](std::uint8_t v) {
        return static_cast<std::uint32_t>((v * opacity + 127) / 255);
    };
    return std::uint32_t{opacity} << 24 | mul(c.red) << 16 | mul(c.green) << 8 | mul(c.blue);
}

std::uint32_t pixelOf(const typ::Rgba& c) {
    return premultiplied(c.rgb, typ::opacityFromAlpha(c.alpha));
}

// A surface of width x height whose pixel (x, y) is pixel(x, y); nothing when Cairo refuses it.
template <class PixelAt> Surface makeSurface(int width, int height, PixelAt pixel) {
    Surface s(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
    if (cairo_surface_status(s.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
    cairo_surface_flush(s.get());
    unsigned char* data = cairo_image_surface_get_data(s.get());
    const int stride = cairo_image_surface_get_stride(s.get());
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::uint32_t v = pixel(x, y);
            std::memcpy(data + static_cast<std::ptrdiff_t>(y) * stride + 4 * x, &v, 4);
        }
    cairo_surface_mark_dirty(s.get());
    return s;
}

// The pattern's 1-pixels in the foreground, its 0-pixels in the background or transparent.
Surface patternSurface(const typ::Pattern& p, const typ::ColourPair& c) {
    const std::uint32_t fore = premultiplied(c.foreground, 255);
    const std::uint32_t back = c.background ? premultiplied(*c.background, 255) : 0;
    return makeSurface(typ::kPatternWidth, p.rows, [&](int x, int y) {
        return p.pixels[static_cast<std::size_t>(y) * typ::kPatternWidth + x] ? fore : back;
    });
}

Surface imageSurface(const typ::Image& image) {
    return makeSurface(image.width, image.height, [&](int x, int y) {
        return pixelOf(image.pixel(static_cast<std::size_t>(y) * image.width + x));
    });
}

void setColour(cairo_t* cr, typ::Rgb c) {
    cairo_set_source_rgb(cr, c.red / 255.0, c.green / 255.0, c.blue / 255.0);
}

// The source that repeats the surface, its pixels never blended with their neighbours.
Pattern repeating(const Surface& s, const cairo_matrix_t& userToPattern) {
    Pattern p(cairo_pattern_create_for_surface(s.get()));
    cairo_pattern_set_extend(p.get(), CAIRO_EXTEND_REPEAT);
    cairo_pattern_set_filter(p.get(), CAIRO_FILTER_NEAREST);
    cairo_pattern_set_matrix(p.get(), &userToPattern);
    return p;
}

void addPath(cairo_t* cr, std::span<const PointF> path) {
    for (std::size_t i = 0; i < path.size(); ++i)
        (i ? cairo_line_to : cairo_move_to)(cr, path[i].x, path[i].y);
}

// The bitmap of a line laid along each segment, continuing where the last one ended.
void strokeBitmap(cairo_t* cr, const typ::Line& style, const typ::ColourPair& colours,
                  std::span<const PointF> path) {
    const typ::Pattern& bitmap = *style.pattern;
    const Surface surface = patternSurface(bitmap, colours);
    if (!surface) return;
    cairo_set_line_width(cr, bitmap.rows);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    double along = 0;
    for (std::size_t i = 1; i < path.size(); ++i) {
        const PointF a = path[i - 1], b = path[i];
        const double length = std::hypot(b.x - a.x, b.y - a.y);
        if (!(length > 0) || !std::isfinite(length)) continue;
        double ux = (b.x - a.x) / length, uy = (b.y - a.y) / length;
        // Unturned, the bitmap's top stays up: a segment running leftwards reads it backwards.
        const bool flip = !style.useOrientation && (ux < 0 || (ux == 0 && uy < 0));
        const double start = flip ? -along : along;
        if (flip) ux = -ux, uy = -uy;
        const double nx = -uy, ny = ux;
        cairo_matrix_t m;
        cairo_matrix_init(&m, ux, nx, uy, ny, start - (ux * a.x + uy * a.y),
                          bitmap.rows / 2.0 - (nx * a.x + ny * a.y));
        const Pattern source = repeating(surface, m);
        cairo_set_source(cr, source.get());
        cairo_move_to(cr, a.x, a.y);
        cairo_line_to(cr, b.x, b.y);
        cairo_stroke(cr);
        along += length;
    }
}

} // namespace

void TypPainter::fillPolygon(const typ::Polygon& style,
                             std::span<const std::vector<PointF>> rings) {
    if (pictureFault(style)) return;
    cairo_save(cr_);
    cairo_set_antialias(cr_, CAIRO_ANTIALIAS_NONE);
    cairo_set_fill_rule(cr_, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_new_path(cr_);
    for (const auto& ring : rings) {
        addPath(cr_, ring);
        cairo_close_path(cr_);
    }
    const typ::ColourPair& colours = coloursAt(style, time_);
    if (style.pattern) {
        // The pattern's space is the surface's: tiles line up across polygons and swatches.
        cairo_matrix_t userToDevice;
        cairo_get_matrix(cr_, &userToDevice);
        const Surface surface = patternSurface(*style.pattern, colours);
        const Pattern source = surface ? repeating(surface, userToDevice) : nullptr;
        if (source) cairo_set_source(cr_, source.get());
        if (source) cairo_fill(cr_);
    } else {
        setColour(cr_, colours.foreground);
        cairo_fill(cr_);
    }
    cairo_restore(cr_);
}

void TypPainter::strokeLine(const typ::Line& style, std::span<const PointF> path) {
    if (path.size() < 2 || pictureFault(style)) return;
    cairo_save(cr_);
    cairo_new_path(cr_);
    const typ::ColourPair& colours = coloursAt(style, time_);
    if (style.pattern) {
        strokeBitmap(cr_, style, colours, path);
    } else {
        cairo_set_line_cap(cr_, CAIRO_LINE_CAP_BUTT);
        cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
        const double width = style.lineWidth ? style.lineWidth : 1;
        const auto stroke = [&](typ::Rgb colour, double w) {
            setColour(cr_, colour);
            cairo_set_line_width(cr_, w);
            addPath(cr_, path);
            cairo_stroke(cr_);
        };
        if (colours.background && style.borderWidth)
            stroke(*colours.background, width + 2.0 * style.borderWidth);
        stroke(colours.foreground, width);
    }
    cairo_restore(cr_);
}

void TypPainter::placePoint(const typ::Point& style, PointF at, double scale) {
    if (pictureFault(style) || !(scale > 0)) return;
    const typ::Image& image = imageAt(style, time_);
    const Surface surface = imageSurface(image);
    if (surface) placeImage(surface.get(), image, at, scale);
}

void TypPainter::placeImage(cairo_surface_t* surface, const typ::Image& image, PointF at,
                            double scale) {
    cairo_save(cr_);
    // Whole pixels, so that each icon pixel covers whole pixels of the surface.
    cairo_translate(cr_, std::round(at.x - image.width * scale / 2),
                    std::round(at.y - image.height * scale / 2));
    cairo_scale(cr_, scale, scale);
    cairo_set_source_surface(cr_, surface, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr_), CAIRO_FILTER_NEAREST);
    cairo_rectangle(cr_, 0, 0, image.width, image.height);
    cairo_fill(cr_);
    cairo_restore(cr_);
}

} // namespace kestrel::draw
