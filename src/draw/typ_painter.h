#pragma once
// Paints TYP elements the way a device draws them, on any Cairo surface (an image, an SVG, a
// PDF): the legend's swatches and the type lists' (the map picture has a painter of its own).
#include <cairo.h>

#include <span>
#include <vector>

#include "draw/looks.h"

namespace kestrel::draw {

class TypPainter {
  public:
    TypPainter(cairo_t* cr, Daytime time) : cr_(cr), time_(time) {}

    // Fills the rings (even-odd) with the polygon's 32 x 32 pattern tiled from the surface's
    // origin, or its solid colour; the night colours when Night and the element has them. Edges
    // are not smoothed: neighbouring polygons meet without a seam, as on a device.
    void fillPolygon(const typ::Polygon& style, std::span<const std::vector<PointF>> rings);
    // Strokes the path: a plain line at its width with its border on each side, or its bitmap
    // repeated along the path. The bitmap follows each segment; when useOrientation is off it
    // keeps its top side up whichever way the line runs, when on it turns with the direction.
    void strokeLine(const typ::Line& style, std::span<const PointF> path);
    // The point's icon centred on `at`, at `scale` (1 = its own size), nearest-neighbour.
    void placePoint(const typ::Point& style, PointF at, double scale = 1.0);

  private:
    void placeImage(cairo_surface_t* surface, const typ::Image& image, PointF at, double scale);

    cairo_t* cr_;
    Daytime time_;
};

} // namespace kestrel::draw
