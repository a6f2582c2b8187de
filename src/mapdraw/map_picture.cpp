#include "mapdraw/map_picture.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <cmath>
#include <new>
#include <numeric>
#include <optional>
#include <thread>
#include <unordered_map>

#include "base/platform/platform.h"
#include "base/stop_port.h"
#include "mapdraw/map_frame.h"
#include "mapdraw/map_styles.h"
#include "mapdraw/on_threads.h"
#include "mapdraw/png_bytes.h"
#include "mapdraw/raster_painter.h"
#include "mapread/img_directory.h"
#include "mapread/tile_geometry.h"

namespace kestrel::mapdraw {
namespace {

constexpr unsigned kMaxThreads = 8;

bool overlaps(const MapArea& a, const MapArea& b) {
    return a.west <= b.east && b.west <= a.east && a.south <= b.north && b.south <= a.north;
}

MapArea joined(const MapArea& a, const MapArea& b) {
    return {std::max(a.north, b.north), std::max(a.east, b.east), std::min(a.south, b.south),
            std::min(a.west, b.west)};
}

// A shape of one of the tiles, where its kind puts it in the drawing, and the rows from its
// northern to its southern end (rounded outwards): most shapes lie wholly beside a band.
struct Placed {
    unsigned rank;
    int top, bottom;
    const TileGeometry* tile;
    const MapShape* shape;
};

// The rows of the shape's northern and southern ends, rounded outwards; far ones brought within
// what an int holds.
std::pair<int, int> rowsOf(const TileGeometry& t, const MapShape& s, const MapFrame& frame) {
    if (s.count == 0) return {0, 0};
    const MapPoint* points = t.points.data() + s.first;
    std::int32_t south = INT32_MAX, north = INT32_MIN;
    for (std::uint32_t i = 0; i < s.count; ++i)
        south = std::min(south, points[i].lat), north = std::max(north, points[i].lat);
    constexpr double kFar = 1e9;
    return {static_cast<int>(std::floor(std::clamp(frame.pixel({0, north}).y, -kFar, kFar))),
            static_cast<int>(std::ceil(std::clamp(frame.pixel({0, south}).y, -kFar, kFar)))};
}

// The shapes of one kind, ranked, in the order of their ranks and within a rank as read. Ranks
// are small: draw levels are indices of the TYP's draw order, and the other ranks count types.
template <class Rank>
platform::LargeArray<Placed> placed(const std::vector<TileGeometry>& tiles, ObjectKind kind,
                                    const MapFrame& frame, Rank rank) {
    constexpr unsigned kNotDrawn = UINT_MAX;
    std::vector<unsigned> ranks;
    std::size_t n = 0;
    for (const TileGeometry& t : tiles) n += t.list(kind).size();
    ranks.reserve(n);
    // starts[r + 1] counts the shapes of rank r, then starts[r] is where the first of them goes.
    std::vector<std::size_t> starts(1);
    for (const TileGeometry& t : tiles)
        for (const MapShape& s : t.list(kind)) {
            const std::optional<unsigned> r = rank(s.code);
            ranks.push_back(r ? *r : kNotDrawn);
            if (!r) continue;
            if (starts.size() < *r + std::size_t{2}) starts.resize(*r + std::size_t{2});
            ++starts[*r + 1];
        }
    std::partial_sum(starts.begin(), starts.end(), starts.begin());
    // Put by rank straight into their places, in the order read: no sort, and no second list.
    platform::LargeArray<Placed> out(starts.back());
    std::size_t i = 0;
    for (const TileGeometry& t : tiles)
        for (const MapShape& s : t.list(kind))
            if (const unsigned r = ranks[i++]; r != kNotDrawn) {
                const auto [top, bottom] = rowsOf(t, s, frame);
                out[starts[r]++] = {r, top, bottom, &t, &s};
            }
    return out;
}

// Shapes drawn at once with one style: a polygon alone, the lines or points of one type together.
template <class Style> struct Group {
    const Style* style;
    std::size_t begin, end; // of the shapes
};

template <class Style> struct Drawn {
    platform::LargeArray<Placed> shapes; // in the order drawn
    std::vector<Group<Style>> groups;
};

// The shapes of the tiles in the order they are drawn, each with its style: made once, then
// painted band by band. The styles are all looked up here, so that painting only reads them.
struct DrawList {
    // One by one, in the draw order: polygons of one type may overlap.
    Drawn<typ::Polygon> polygons;
    // The lines and points of each type at once, the types in the order they first appear.
    Drawn<typ::Line> lines;
    Drawn<typ::Point> points;

    // The three lists are placed on up to `threads` threads; false when memory ran out.
    bool make(const std::vector<TileGeometry>& tiles, const MapFrame& frame, MapStyles& styles,
              int threads) {
        std::unordered_map<std::uint32_t, unsigned> lineRanks, pointRanks;
        const auto firstSeen = [](std::unordered_map<std::uint32_t, unsigned>& seen) {
            return [&seen](std::uint32_t code) -> std::optional<unsigned> {
                return seen.try_emplace(code, static_cast<unsigned>(seen.size())).first->second;
            };
        };
        // Only reads the styles: the draw levels are known from the start.
        const bool placedAll = onThreadsEach(3, threads, [&](int kind, int) {
            if (kind == 0)
                polygons.shapes =
                    placed(tiles, ObjectKind::Polygon, frame,
                           [&](std::uint32_t code) { return styles.drawLevel(code); });
            else if (kind == 1)
                lines.shapes = placed(tiles, ObjectKind::Line, frame, firstSeen(lineRanks));
            else
                points.shapes = placed(tiles, ObjectKind::Point, frame, firstSeen(pointRanks));
            return true;
        });
        if (!placedAll) return false;
        polygons.groups.reserve(polygons.shapes.size());
        for (std::size_t i = 0; i < polygons.shapes.size(); ++i)
            polygons.groups.push_back({&styles.polygon(polygons.shapes[i].shape->code), i, i + 1});
        byType(lines, [&](std::uint32_t c) { return &styles.line(c); });
        byType(points, [&](std::uint32_t c) { return &styles.point(c); });
        return true;
    }

  private:
    // Groups the shapes of each type, placed in the order the types first appear.
    template <class Style, class StyleOf> static void byType(Drawn<Style>& to, StyleOf styleOf) {
        for (std::size_t i = 0, j = 0; i < to.shapes.size(); i = j) {
            while (j < to.shapes.size() && to.shapes[j].rank == to.shapes[i].rank) ++j;
            to.groups.push_back({styleOf(to.shapes[i].shape->code), i, j});
        }
    }
};

// Paints the shapes of a draw list into one band of rows of the picture, through the frame.
class BandPainter {
  public:
    BandPainter(Raster& raster, draw::Daytime time, RowBand band, const MapFrame& frame)
        : painter_(raster, time, band), time_(time), band_(band), frame_(frame) {}

    void paint(const DrawList& list) {
        paths_.resize(1);
        for (const Group<typ::Polygon>& g : list.polygons.groups) {
            // A polygon's pixels lie within the rows of its corners.
            if (pixels(list.polygons.shapes[g.begin], 1, paths_[0]))
                painter_.fillPolygon(*g.style, {paths_.data(), 1});
        }
        each(list.lines, [&](const typ::Line& style, std::size_t n) {
            painter_.strokeLines(style, {paths_.data(), n});
        });
        each(list.points, [&](const typ::Point& style, std::size_t n) {
            at_.clear();
            for (std::size_t i = 0; i < n; ++i) at_.push_back(paths_[i][0]);
            painter_.placePoints(style, at_);
        });
    }

  private:
    // How far past the rows of its corners a line of the style may paint: half its width with
    // its border, widened by a slope of up to one row a column, or half its bitmap's rows.
    static double reach(const typ::Line& style) {
        if (style.pattern) return style.pattern->rows / 2.0 + 3;
        const double width = (style.lineWidth ? style.lineWidth : 1) + 2.0 * style.borderWidth;
        return width * 0.75 + 2;
    }
    // An icon's rows lie within its height of its place.
    double reach(const typ::Point& style) const { return draw::imageAt(style, time_).height + 1.0; }

    // Hands each group's shapes that may paint a row of the band to `draw`, as the first n paths.
    template <class Style, class Draw> void each(const Drawn<Style>& drawn, Draw draw) {
        for (const Group<Style>& g : drawn.groups) {
            const double margin = reach(*g.style);
            std::size_t n = 0;
            for (std::size_t i = g.begin; i < g.end; ++i) {
                if (paths_.size() <= n) paths_.resize(n + 1);
                if (pixels(drawn.shapes[i], margin, paths_[n])) ++n;
            }
            if (n) draw(*g.style, n);
        }
    }

    // The shape's pixels, when it lies within the picture (with a margin for wide lines and
    // icons) and comes within `reach` rows of the band; false when not.
    bool pixels(const Placed& p, double reach, std::vector<draw::PointF>& out) const {
        constexpr double kMargin = 64;
        out.clear();
        if (p.shape->count == 0 || p.bottom + reach < band_.top || p.top - reach > band_.bottom)
            return false;
        const MapPoint* points = p.tile->points.data() + p.shape->first;
        double left = 1e300, right = -1e300, top = 1e300, bottom = -1e300;
        for (std::uint32_t i = 0; i < p.shape->count; ++i) {
            const draw::PointF at = frame_.pixel(points[i]);
            left = std::min(left, at.x), right = std::max(right, at.x);
            top = std::min(top, at.y), bottom = std::max(bottom, at.y);
            out.push_back(at);
        }
        return right >= -kMargin && left <= frame_.width() + kMargin && bottom >= -kMargin &&
               top <= frame_.height() + kMargin;
    }

    RasterPainter painter_;
    draw::Daytime time_;
    RowBand band_;
    const MapFrame& frame_;
    std::vector<std::vector<draw::PointF>> paths_; // reused: their memory stays
    std::vector<draw::PointF> at_;
};

// The threads the request may use: as many as the processors unless it says.
int threadsFor(const PictureRequest& request) {
    const unsigned wanted = request.threads ? request.threads : std::thread::hardware_concurrency();
    return static_cast<int>(std::clamp(wanted, 1u, kMaxThreads));
}

// The shapes of the tiles, in their order, decoded on the request's threads. With more than one,
// each tile is read in two parts, its standard and its extended sections (a tile alone would keep
// one thread waiting), and the thread that reads the second part joins them: the two parts follow
// each other in the list, their shapes together in the order of one read. Thread k begins with
// part k, then each takes the next part when it is free. This thread, with the first part, yields
// to the user interface between subdivisions and passes the user's stop on to the others when a
// part of its is done (a part takes well under a tenth of a second). Nothing when memory ran out
// on one of them.
std::optional<std::vector<TileGeometry>> decodeTiles(const MapBuffer& buf,
                                                     const std::vector<const ImgTile*>& wanted,
                                                     const GeometryRequest& request, int threads,
                                                     UiPort& ui) {
    const std::size_t per = threads > 1 ? 2 : 1, parts = wanted.size() * per;
    std::vector<TileGeometry> read(parts);
    std::vector<std::atomic<int>> done(wanted.size()); // parts of each tile read
    const int n = std::clamp(static_cast<int>(parts), 1, std::max(1, threads));
    std::atomic<std::size_t> next = static_cast<std::size_t>(n);
    std::atomic<bool> stop = false, failed = false;
    const auto take = [&](std::size_t first, UiPort& port, auto between) {
        try {
            for (std::size_t i = first; i < parts && !port.stopflag() && !failed; i = next++) {
                const std::size_t t = i / per;
                const TileSections sections = per == 1     ? TileSections::All
                                              : i % 2 == 0 ? TileSections::Standard
                                                           : TileSections::Extended;
                read[i] = TileGeometry::read(buf, *wanted[t], request, port, sections);
                if (per == 2 && done[t]++ == 1)
                    read[2 * t].join(read[2 * t + 1], buf, *wanted[t], request, port);
                between();
            }
        } catch (const std::bad_alloc&) {
            failed = true;
        }
    };
    const std::thread::id here = std::this_thread::get_id();
    onThreads(n, [&](int k) {
        const auto first = static_cast<std::size_t>(k);
        if (std::this_thread::get_id() == here) {
            take(first, ui, [&] { stop = ui.stopflag(); });
        } else {
            StopPort port(stop);
            take(first, port, [] {});
        }
    });
    if (failed) return std::nullopt;
    return read;
}

// The picture painted band by band, each thread taking the next band when it is free (shapes
// crowd in some rows more than in others) and handing it to the PNG at once, so that the
// picture's pixels are never held whole: each thread paints into rows of its own. Nothing when
// memory ran out or the compressor failed.
std::optional<PngFile> paintInBands(int width, int height, draw::Daytime time, int threads,
                                    const MapFrame& frame, const DrawList& list) {
    PngBands png(width, height, threads);
    std::vector<std::optional<Raster>> rows(static_cast<std::size_t>(threads));
    const bool painted = onThreadsEach(png.bands(), threads, [&](int b, int k) {
        std::optional<Raster>& mine = rows[static_cast<std::size_t>(k)];
        if (!mine) mine.emplace(width, height, kPngBandRows);
        const RowBand band{b * kPngBandRows, std::min(height, (b + 1) * kPngBandRows)};
        mine->hold(band, 0xFFFFFFFF);
        BandPainter(*mine, time, band, frame).paint(list);
        return png.add(b, k, mine->bytes(), width * 4);
    });
    if (!painted) return std::nullopt;
    return png.finish();
}

} // namespace

MapPictureResult drawMap(const MapBuffer& buf, const typ::TypFile* typ,
                         const PictureRequest& request, UiPort& ui) {
    MapPictureResult result;
    ImgDirectory dir = ImgDirectory::read(buf);
    result.notes = std::move(dir.notes);
    // The area to fit: the first tile's, or every tile's.
    std::vector<MapArea> areas;
    std::optional<MapArea> fit;
    for (const ImgTile& tile : dir.tiles) {
        const TileHeaders h = TileHeaders::of(buf, tile);
        const TreLevels tre = TreLevels::read(h.tre, h.treHeader);
        areas.push_back(tre.area);
        if (!levelsUsable(tre)) continue;
        if (!fit)
            fit = tre.area;
        else if (request.wholeMap)
            fit = joined(*fit, tre.area);
    }
    if (!fit) {
        result.fault = PictureFault::NoTiles;
        return result;
    }
    const MapFrame frame(*fit, request.width, request.height);
    const GeometryRequest wanted{request.zoom, frame.view()};
    std::vector<const ImgTile*> inFrame;
    for (std::size_t i = 0; i < dir.tiles.size(); ++i)
        if (overlaps(areas[i], *wanted.within)) inFrame.push_back(&dir.tiles[i]);
    const int threads = threadsFor(request);
    const auto decoded = decodeTiles(buf, inFrame, wanted, threads, ui);
    if (!decoded) {
        result.fault = PictureFault::CannotDraw;
        return result;
    }
    const std::vector<TileGeometry>& tiles = *decoded;
    for (const TileGeometry& t : tiles) {
        result.notes.insert(result.notes.end(), t.notes.begin(), t.notes.end());
        result.damagedShapes += t.damagedShapes;
        for (const auto& list : t.shapes) result.shapes += list.size();
    }
    if (ui.stopflag()) {
        result.fault = PictureFault::Stopped;
        return result;
    }
    std::optional<PngFile> png;
    try {
        MapStyles styles(typ);
        DrawList list;
        if (list.make(tiles, frame, styles, threads))
            png = paintInBands(request.width, request.height, request.time, threads, frame, list);
    } catch (const std::bad_alloc&) {
        // The picture's memory, held in this block only.
    }
    if (png)
        result.png = std::move(*png);
    else
        result.fault = PictureFault::CannotDraw;
    return result;
}

} // namespace kestrel::mapdraw
