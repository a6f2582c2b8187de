#include "mapdraw/map_picture.h"

#include <algorithm>
#include <new>
#include <unordered_map>

#include "mapdraw/map_frame.h"
#include "mapdraw/map_styles.h"
#include "mapdraw/png_bytes.h"
#include "mapdraw/raster_painter.h"
#include "mapread/img_directory.h"
#include "mapread/tile_geometry.h"

namespace kestrel::mapdraw {
namespace {

bool overlaps(const MapArea& a, const MapArea& b) {
    return a.west <= b.east && b.west <= a.east && a.south <= b.north && b.south <= a.north;
}

MapArea joined(const MapArea& a, const MapArea& b) {
    return {std::max(a.north, b.north), std::max(a.east, b.east), std::min(a.south, b.south),
            std::min(a.west, b.west)};
}

// A shape of one of the tiles, and where its kind puts it in the drawing.
struct Placed {
    unsigned rank;
    const TileGeometry* tile;
    const MapShape* shape;
};

// The shapes of one kind, ranked and in a stable order of rank.
template <class Rank>
std::vector<Placed> placed(const std::vector<TileGeometry>& tiles, ObjectKind kind, Rank rank) {
    std::vector<Placed> out;
    std::size_t n = 0;
    for (const TileGeometry& t : tiles) n += t.list(kind).size();
    out.reserve(n);
    for (const TileGeometry& t : tiles)
        for (const MapShape& s : t.list(kind))
            if (const std::optional<unsigned> r = rank(s.code)) out.push_back({*r, &t, &s});
    std::stable_sort(out.begin(), out.end(),
                     [](const Placed& a, const Placed& b) { return a.rank < b.rank; });
    return out;
}

// Paints the shapes of the tiles into the picture, through the frame.
class ShapePainter {
  public:
    ShapePainter(Raster& raster, draw::Daytime time, const MapFrame& frame, MapStyles& styles)
        : painter_(raster, time), frame_(frame), styles_(styles) {}

    // One by one, in the draw order: polygons of one type may overlap.
    void polygons(const std::vector<TileGeometry>& tiles) {
        paths_.resize(1);
        for (const Placed& p : placed(tiles, ObjectKind::Polygon,
                                      [&](std::uint32_t code) { return styles_.drawLevel(code); }))
            if (pixels(p, paths_[0]))
                painter_.fillPolygon(styles_.polygon(p.shape->code), {paths_.data(), 1});
    }

    // The lines of each type at once, the types in the order they first appear.
    void lines(const std::vector<TileGeometry>& tiles) {
        eachType(tiles, ObjectKind::Line, [&](std::uint32_t code, std::size_t n) {
            painter_.strokeLines(styles_.line(code), {paths_.data(), n});
        });
    }

    void points(const std::vector<TileGeometry>& tiles) {
        std::vector<draw::PointF> at;
        eachType(tiles, ObjectKind::Point, [&](std::uint32_t code, std::size_t n) {
            at.clear();
            for (std::size_t i = 0; i < n; ++i) at.push_back(paths_[i][0]);
            painter_.placePoints(styles_.point(code), at);
        });
    }

  private:
    // Hands each type's shapes inside the picture to `draw`, as the first n paths.
    template <class Draw>
    void eachType(const std::vector<TileGeometry>& tiles, ObjectKind kind, Draw draw) {
        std::unordered_map<std::uint32_t, unsigned> firstSeen;
        const auto rank = [&](std::uint32_t code) -> std::optional<unsigned> {
            return firstSeen.try_emplace(code, static_cast<unsigned>(firstSeen.size()))
                .first->second;
        };
        const std::vector<Placed> all = placed(tiles, kind, rank);
        for (std::size_t i = 0; i < all.size();) {
            std::size_t n = 0, j = i;
            for (; j < all.size() && all[j].rank == all[i].rank; ++j) {
                if (paths_.size() <= n) paths_.resize(n + 1);
                if (pixels(all[j], paths_[n])) ++n;
            }
            if (n) draw(all[i].shape->code, n);
            i = j;
        }
    }

    // The shape's pixels; false when it lies wholly outside the picture (with a margin for wide
    // lines and icons).
    bool pixels(const Placed& p, std::vector<draw::PointF>& out) const {
        constexpr double kMargin = 64;
        out.clear();
        double left = 1e300, right = -1e300, top = 1e300, bottom = -1e300;
        for (std::uint32_t i = 0; i < p.shape->count; ++i) {
            const draw::PointF at = frame_.pixel(p.tile->points[p.shape->first + i]);
            left = std::min(left, at.x), right = std::max(right, at.x);
            top = std::min(top, at.y), bottom = std::max(bottom, at.y);
            out.push_back(at);
        }
        return right >= -kMargin && left <= frame_.width() + kMargin && bottom >= -kMargin &&
               top <= frame_.height() + kMargin;
    }

    RasterPainter painter_;
    const MapFrame& frame_;
    MapStyles& styles_;
    std::vector<std::vector<draw::PointF>> paths_; // reused: their memory stays
};

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
    std::vector<TileGeometry> tiles;
    for (std::size_t i = 0; i < dir.tiles.size(); ++i) {
        if (!overlaps(areas[i], *wanted.within)) continue;
        tiles.push_back(TileGeometry::read(buf, dir.tiles[i], wanted, ui));
        TileGeometry& t = tiles.back();
        result.notes.insert(result.notes.end(), t.notes.begin(), t.notes.end());
        result.damagedShapes += t.damagedShapes;
        for (const auto& list : t.shapes) result.shapes += list.size();
        if (ui.stopflag()) {
            result.fault = PictureFault::Stopped;
            return result;
        }
    }
    std::optional<std::string> png;
    try {
        Raster raster(request.width, request.height, 0xFFFFFFFF);
        MapStyles styles(typ);
        ShapePainter painter(raster, request.time, frame, styles);
        painter.polygons(tiles);
        painter.lines(tiles);
        painter.points(tiles);
        png = pngBytes(raster.bytes(), raster.width(), raster.height(), raster.width() * 4);
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
