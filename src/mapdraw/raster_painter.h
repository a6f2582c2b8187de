#pragma once
// Paints a map's TYP elements straight into its pixels, as a device draws them: polygons filled
// even-odd with their colour or their pattern tiled from the picture's top left, lines as plain
// thick segments with their border or their bitmap laid along them, icons blended at their own
// size; nothing smoothed, everything clipped to the picture, the TYP's colours kept exactly.
// The legend's swatches stay with draw::TypPainter, which draws them on any Cairo surface.
#include <cstdint>
#include <span>
#include <unordered_map>
#include <vector>

#include "draw/looks.h"
#include "mapdraw/raster.h"
#include "mapdraw/spans.h"

namespace kestrel::mapdraw {

class RasterPainter {
  public:
    // Paints the rows of `band` only; the same pixels there as a painter of the whole picture.
    RasterPainter(Raster& raster, draw::Daytime time, RowBand band)
        : raster_(raster), time_(time), band_(band), spans_(raster.width(), band) {}
    RasterPainter(Raster& raster, draw::Daytime time)
        : RasterPainter(raster, time, {0, raster.height()}) {}

    // The rings by the even-odd rule.
    void fillPolygon(const typ::Polygon& style, std::span<const std::vector<draw::PointF>> rings);
    // Many paths of one style: the borders of all first, so that lines of one type join without
    // a border between them.
    void strokeLines(const typ::Line& style, std::span<const std::vector<draw::PointF>> paths);
    // The icon centred at each place, its pixels made once.
    void placePoints(const typ::Point& style, std::span<const draw::PointF> at);

  private:
    // A pattern's pixels in the colours of the time of day; 0 (no alpha) where it is transparent.
    using Tile = std::vector<std::uint32_t>;
    const Tile& polygonTile(const typ::Polygon& style);
    void paint(const std::vector<Span>& spans, std::uint32_t colour);
    void strokePlain(std::span<const std::vector<draw::PointF>> paths, std::uint32_t colour,
                     double width);
    // A plain segment, `half` its width on each side, its ends square to the axis it runs
    // most along.
    void segment(draw::PointF a, draw::PointF b, double half, std::uint32_t colour);
    void strokeBitmap(const typ::Line& style, const Tile& tile, std::span<const draw::PointF> path);

    Raster& raster_;
    draw::Daytime time_;
    RowBand band_;
    SpanMaker spans_;
    std::unordered_map<const typ::Polygon*, Tile> tiles_; // styles outlive it, unchanged
    std::vector<std::uint32_t> icon_;
};

} // namespace kestrel::mapdraw
