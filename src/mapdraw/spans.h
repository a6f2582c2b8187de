#pragma once
// Shapes turned into runs of pixels, as a device fills them: a pixel is inside when its centre
// is, nothing is smoothed, and every run lies within the picture whatever the coordinates (a
// hostile map may give any number, or none).
#include <algorithm>
#include <optional>
#include <span>
#include <vector>

#include "draw/looks.h"
#include "mapdraw/raster.h"

namespace kestrel::mapdraw {

// The point with each coordinate brought within a billion pixels of the picture: no real shape
// reaches so far, and a hostile one then stays within what doubles and ints hold.
draw::PointF tamed(draw::PointF p);

// The least whole number at or above v, for v well within an int; without a call to ceil.
inline int ceilOf(double v) {
    const int whole = static_cast<int>(v);
    return whole + (whole < v);
}

// The first of `size` pixels whose centre lies at or past v on their axis (0 to size).
inline int pixelFrom(double v, int size) {
    // Clamped, the value fits an int.
    return std::clamp(ceilOf(std::clamp(v - 0.5, -1.0, static_cast<double>(size))), 0, size);
}

// Pixels x0 to x1 - 1 of row y.
struct Span {
    int y, x0, x1;
};

// Runs are made within the rows of the band only: the pixels of the others are some other
// painter's, and the runs within the band are the same as for the whole picture.
class SpanMaker {
  public:
    SpanMaker(int width, RowBand rows) : width_(width), rows_(rows) {}

    // The runs inside the rings by the even-odd rule, row by row from the top.
    const std::vector<Span>& rings(std::span<const std::vector<draw::PointF>> rings);
    // The runs inside the convex quadrilateral of the corners.
    const std::vector<Span>& quad(const draw::PointF (&corners)[4]);
    // The runs inside the disc.
    const std::vector<Span>& disc(draw::PointF centre, double radius);

  private:
    struct Edge {
        double x, y, dxdy; // a point of the edge's line and its slope
        int first, last;   // the rows whose centres it crosses
    };
    // The edge from a to b; nothing when it crosses no row's centre or starts no run.
    std::optional<Edge> edge(draw::PointF a, draw::PointF b) const;
    // The run of pixels whose centres lie in [from, to) on row y, clipped; none when empty.
    void addRun(int y, double from, double to);

    // The first row at or below v's row centre within the band, or the band's end.
    int rowFrom(double v) const { return std::max(rows_.top, pixelFrom(v, rows_.bottom)); }

    int width_;
    RowBand rows_;
    std::vector<Edge> edges_;
    struct Crossing {
        double x;  // of the edge on the current row
        Edge edge; // held here: the edges in the order of their first rows lie apart
    };
    std::vector<Crossing> active_; // by x

    std::vector<Span> spans_;
};

} // namespace kestrel::mapdraw
