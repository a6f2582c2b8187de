#include "mapdraw/raster_painter.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "draw/picture_check.h"

namespace kestrel::mapdraw {
namespace {

using draw::PointF;

constexpr std::uint32_t kOpaque = 0xFF000000;

std::uint32_t opaque(typ::Rgb c) {
    return kOpaque | std::uint32_t{c.red} << 16 | std::uint32_t{c.green} << 8 | c.blue;
}

// The pattern's 1-pixels in the foreground, its 0-pixels in the background or transparent.
std::vector<std::uint32_t> patternTile(const typ::Pattern& p, const typ::ColourPair& c) {
    const std::uint32_t fore = opaque(c.foreground),
                        back = c.background ? opaque(*c.background) : 0;
    std::vector<std::uint32_t> tile(p.pixels.size());
    std::transform(p.pixels.begin(), p.pixels.end(), tile.begin(),
                   [&](std::uint8_t v) { return v ? fore : back; });
    return tile;
}

// `over` laid on `under` with its alpha.
std::uint32_t blended(std::uint32_t over, std::uint32_t under) {
    const std::uint32_t a = over >> 24;
    if (a == 0xFF) return over;
    std::uint32_t out = kOpaque;
    for (int shift = 0; shift < 24; shift += 8) {
        const std::uint32_t o = over >> shift & 0xFF, u = under >> shift & 0xFF;
        out |= (o * a + u * (0xFF - a) + 127) / 0xFF << shift;
    }
    return out;
}

// The part of the segment within the picture widened by `margin` on each side, as the fractions
// of the way from a to b where it enters and leaves; nothing when it misses it.
std::optional<std::pair<double, double>> clipped(PointF a, PointF b, double margin, int width,
                                                 int height) {
    double enter = 0, leave = 1;
    const double d[2] = {b.x - a.x, b.y - a.y}, from[2] = {a.x, a.y};
    const double low[2] = {-margin, -margin}, high[2] = {width + margin, height + margin};
    for (int axis = 0; axis < 2; ++axis) {
        if (d[axis] == 0) {
            if (from[axis] < low[axis] || from[axis] > high[axis]) return std::nullopt;
            continue;
        }
        double t0 = (low[axis] - from[axis]) / d[axis], t1 = (high[axis] - from[axis]) / d[axis];
        if (t0 > t1) std::swap(t0, t1);
        enter = std::max(enter, t0), leave = std::min(leave, t1);
    }
    if (!(enter < leave)) return std::nullopt;
    return std::pair{enter, leave};
}

PointF along(PointF a, PointF b, double t) {
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

bool finite(PointF p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

} // namespace

void RasterPainter::paint(const std::vector<Span>& spans, std::uint32_t colour) {
    for (const Span& s : spans) std::fill(raster_.row(s.y) + s.x0, raster_.row(s.y) + s.x1, colour);
}

const RasterPainter::Tile& RasterPainter::polygonTile(const typ::Polygon& style) {
    const auto found = tiles_.find(&style);
    if (found != tiles_.end()) return found->second;
    return tiles_.emplace(&style, patternTile(*style.pattern, draw::coloursAt(style, time_)))
        .first->second;
}

void RasterPainter::fillPolygon(const typ::Polygon& style,
                                std::span<const std::vector<PointF>> rings) {
    if (draw::pictureFault(style)) return;
    const std::vector<Span>& spans = spans_.rings(rings);
    if (!style.pattern) {
        paint(spans, opaque(draw::coloursAt(style, time_).foreground));
        return;
    }
    // Tiled from the picture's top left, so that neighbouring polygons' patterns line up.
    const Tile& tile = polygonTile(style);
    for (const Span& s : spans) {
        std::uint32_t* row = raster_.row(s.y);
        const std::uint32_t* line = tile.data() + (s.y % typ::kPatternWidth) * typ::kPatternWidth;
        for (int x = s.x0; x < s.x1; ++x)
            if (const std::uint32_t v = line[x % typ::kPatternWidth]) row[x] = v;
    }
}

void RasterPainter::strokeLines(const typ::Line& style,
                                std::span<const std::vector<PointF>> paths) {
    if (paths.empty() || draw::pictureFault(style)) return;
    const typ::ColourPair& colours = draw::coloursAt(style, time_);
    if (style.pattern) {
        const Tile tile = patternTile(*style.pattern, colours);
        for (const auto& path : paths) strokeBitmap(style, tile, path);
        return;
    }
    const double width = style.lineWidth ? style.lineWidth : 1;
    if (colours.background && style.borderWidth)
        strokePlain(paths, opaque(*colours.background), width + 2.0 * style.borderWidth);
    strokePlain(paths, opaque(colours.foreground), width);
}

void RasterPainter::strokePlain(std::span<const std::vector<PointF>> paths, std::uint32_t colour,
                                double width) {
    const double half = width / 2, margin = half + 2;
    // A segment and the corner at its end paint no row further than this from their ends' rows.
    const double rows = half * 1.5 + 2;
    const int w = raster_.width(), h = raster_.height();
    for (const auto& path : paths)
        for (std::size_t i = 1; i < path.size(); ++i) {
            const PointF a = tamed(path[i - 1]), b = tamed(path[i]);
            if (!finite(a) || !finite(b) || (a.x == b.x && a.y == b.y)) continue;
            if (std::max(a.y, b.y) + rows < band_.top || std::min(a.y, b.y) - rows > band_.bottom)
                continue; // wholly above or below the band
            segment(a, b, half, colour);
            // The corners between segments rounded, as a wide line bends.
            if (width >= 3 && i + 1 < path.size() && b.x > -margin && b.x < w + margin &&
                b.y > -margin && b.y < h + margin)
                paint(spans_.disc(b, half), colour);
        }
}

void RasterPainter::segment(PointF a, PointF b, double half, std::uint32_t colour) {
    // Along the axis the segment runs most along: each column (or row, when steep) whose centre
    // lies between the ends gets the pixels whose centres lie within the line's width.
    const bool steep = std::abs(b.y - a.y) > std::abs(b.x - a.x);
    double from = steep ? a.y : a.x, to = steep ? b.y : b.x;
    double at = steep ? a.x : a.y, end = steep ? b.x : b.y;
    if (from > to) std::swap(from, to), std::swap(at, end);
    const int along = steep ? raster_.height() : raster_.width();
    const int across = steep ? raster_.width() : raster_.height();
    int first = pixelFrom(from, along), last = pixelFrom(to, along);
    if (first >= last) return; // no column's centre between the ends: a short segment
    // The pixels across the axis that are this painter's: the band's rows, or every column.
    const int low = steep ? 0 : band_.top, high = steep ? across : band_.bottom;
    if (steep) first = std::max(first, band_.top), last = std::min(last, band_.bottom);
    const double slope = (end - at) / (to - from);
    const double reach = half * std::sqrt(1 + slope * slope); // across the axis
    // Only the columns where the line comes within those pixels, a pixel to spare: elsewhere
    // every run is empty. A slight slope sends them far, and pixelFrom clamps them.
    const double near = low - reach - 1 - at, far = high + reach + 1 - at;
    if (slope == 0) {
        if (near > 0 || far < 0) return;
    } else {
        const double x0 = from - 0.5 + near / slope, x1 = from - 0.5 + far / slope;
        first = std::max(first, pixelFrom(std::min(x0, x1) - 1, along));
        last = std::min(last, pixelFrom(std::max(x0, x1) + 2, along));
    }
    // The pixels across of column i, lo to hi - 1: past the narrowing above, the line's centre
    // lies within a few pixels of the painter's, and the ends need no clamp to the picture first.
    const auto across_ = [&](int i, int& lo, int& hi) {
        const double centre = at + (i + 0.5 - from) * slope;
        lo = std::clamp(ceilOf(centre - reach - 0.5), low, high);
        hi = std::clamp(ceilOf(centre + reach - 0.5), low, high);
    };
    int lo = 0, hi = 0;
    if (steep) {
        for (int i = first; i < last; ++i) {
            across_(i, lo, hi);
            std::fill(raster_.row(i) + lo, raster_.row(i) + hi, colour);
        }
        return;
    }
    for (int i = first; i < last; ++i) {
        across_(i, lo, hi);
        // Down the column, a row's width at a time.
        std::uint32_t* pixel = raster_.row(lo) + i;
        for (int j = lo; j < hi; ++j, pixel += along) *pixel = colour;
    }
}

void RasterPainter::strokeBitmap(const typ::Line& style, const Tile& tile,
                                 std::span<const PointF> path) {
    const int rows = style.pattern->rows;
    const double half = rows / 2.0;
    double walked = 0;
    for (std::size_t i = 1; i < path.size(); ++i) {
        const PointF a = tamed(path[i - 1]), b = tamed(path[i]);
        if (!finite(a) || !finite(b)) continue;
        // Tamed, the squares stay far within a double: no need of hypot's care, and its cost.
        const double length = std::sqrt((b.x - a.x) * (b.x - a.x) + (b.y - a.y) * (b.y - a.y));
        if (!(length > 0)) continue;
        const double start = walked;
        walked = std::fmod(walked + length, typ::kPatternWidth);
        const auto part = clipped(a, b, half + 2, raster_.width(), raster_.height());
        if (!part) continue;
        double ux = (b.x - a.x) / length, uy = (b.y - a.y) / length;
        const PointF p = along(a, b, part->first), q = along(a, b, part->second);
        double offset = std::fmod(start + part->first * length, typ::kPatternWidth);
        // Unturned, the bitmap's top stays up: a segment running leftwards reads it backwards.
        if (!style.useOrientation && (ux < 0 || (ux == 0 && uy < 0)))
            ux = -ux, uy = -uy, offset = typ::kPatternWidth - offset;
        const double nx = -uy, ny = ux;
        const PointF quad[4] = {{p.x + nx * half, p.y + ny * half},
                                {q.x + nx * half, q.y + ny * half},
                                {q.x - nx * half, q.y - ny * half},
                                {p.x - nx * half, p.y - ny * half}};
        for (const Span& s : spans_.quad(quad)) {
            std::uint32_t* row = raster_.row(s.y);
            const double dy = s.y + 0.5 - p.y;
            for (int x = s.x0; x < s.x1; ++x) {
                const double dx = x + 0.5 - p.x;
                const double u = ux * dx + uy * dy + offset, v = nx * dx + ny * dy + half;
                const int r = static_cast<int>(std::floor(v));
                if (r < 0 || r >= rows) continue;
                const int c = static_cast<int>(std::floor(u)) & (typ::kPatternWidth - 1);
                if (const std::uint32_t colour = tile[static_cast<std::size_t>(r) * 32 + c])
                    row[x] = colour;
            }
        }
    }
}

void RasterPainter::placePoints(const typ::Point& style, std::span<const PointF> at) {
    if (at.empty() || draw::pictureFault(style)) return;
    const typ::Image& image = draw::imageAt(style, time_);
    icon_.resize(static_cast<std::size_t>(image.width) * image.height);
    for (std::size_t i = 0; i < icon_.size(); ++i) {
        const typ::Rgba c = image.pixel(i);
        icon_[i] = std::uint32_t{typ::opacityFromAlpha(c.alpha)} << 24 | (opaque(c.rgb) & 0xFFFFFF);
    }
    const int w = raster_.width(), h = raster_.height();
    for (const PointF& p : at) {
        // Whole pixels: each icon pixel covers one of the picture.
        const double left = std::round(p.x - image.width / 2.0),
                     top = std::round(p.y - image.height / 2.0);
        if (!(left > -image.width && left < w && top > -image.height && top < h)) continue;
        const int x0 = static_cast<int>(left), y0 = static_cast<int>(top);
        for (int y = std::max(band_.top, y0); y < std::min(band_.bottom, y0 + image.height); ++y) {
            std::uint32_t* row = raster_.row(y);
            const std::uint32_t* from =
                icon_.data() + static_cast<std::size_t>(y - y0) * image.width;
            for (int x = std::max(0, x0); x < std::min(w, x0 + image.width); ++x)
                if (const std::uint32_t v = from[x - x0]; v >> 24) row[x] = blended(v, row[x]);
        }
    }
}

} // namespace kestrel::mapdraw
