#include "mapdraw/map_picture.h"

#include <algorithm>
#include <cairo.h>

#include "draw/cairo_handles.h"
#include "draw/typ_painter.h"
#include "mapdraw/map_frame.h"
#include "mapdraw/map_styles.h"
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

// Paints the shapes of the tiles on the context, through the frame.
class ShapePainter {
  public:
    ShapePainter(cairo_t* cr, const MapFrame& frame, MapStyles& styles)
        : painter_(cr, draw::Daytime::Day), frame_(frame), styles_(styles), rings_(1) {}

    void polygons(const std::vector<TileGeometry>& tiles) {
        struct Placed {
            unsigned level;
            const TileGeometry* tile;
            const MapShape* shape;
        };
        std::vector<Placed> placed;
        for (const TileGeometry& t : tiles)
            for (const MapShape& s : t.list(ObjectKind::Polygon))
                if (const auto level = styles_.drawLevel(s.code))
                    placed.push_back({*level, &t, &s});
        std::stable_sort(placed.begin(), placed.end(),
                         [](const Placed& a, const Placed& b) { return a.level < b.level; });
        for (const Placed& p : placed)
            if (pixels(*p.tile, *p.shape, rings_[0]))
                painter_.fillPolygon(styles_.polygon(p.shape->code), rings_);
    }

    void lines(const std::vector<TileGeometry>& tiles) {
        for (const TileGeometry& t : tiles)
            for (const MapShape& s : t.list(ObjectKind::Line))
                if (pixels(t, s, rings_[0])) painter_.strokeLine(styles_.line(s.code), rings_[0]);
    }

    void points(const std::vector<TileGeometry>& tiles) {
        for (const TileGeometry& t : tiles)
            for (const MapShape& s : t.list(ObjectKind::Point))
                if (pixels(t, s, rings_[0]))
                    painter_.placePoint(styles_.point(s.code), rings_[0][0]);
    }

  private:
    // The shape's pixels; false when it lies wholly outside the picture (with a margin for wide
    // lines and icons).
    bool pixels(const TileGeometry& t, const MapShape& s, std::vector<draw::PointF>& out) const {
        constexpr double kMargin = 64;
        out.clear();
        double left = 1e300, right = -1e300, top = 1e300, bottom = -1e300;
        for (std::uint32_t i = 0; i < s.count; ++i) {
            const draw::PointF p = frame_.pixel(t.points[s.first + i]);
            left = std::min(left, p.x), right = std::max(right, p.x);
            top = std::min(top, p.y), bottom = std::max(bottom, p.y);
            out.push_back(p);
        }
        return right >= -kMargin && left <= frame_.width() + kMargin && bottom >= -kMargin &&
               top <= frame_.height() + kMargin;
    }

    draw::TypPainter painter_;
    const MapFrame& frame_;
    MapStyles& styles_;
    std::vector<std::vector<draw::PointF>> rings_;
};

cairo_status_t append(void* to, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(to)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
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
    const draw::Surface surface(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, request.width, request.height));
    const draw::Context cr(cairo_create(surface.get()));
    if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS) {
        result.fault = PictureFault::CannotDraw;
        return result;
    }
    cairo_set_source_rgb(cr.get(), 1, 1, 1);
    cairo_paint(cr.get());
    MapStyles styles(typ);
    ShapePainter painter(cr.get(), frame, styles);
    painter.polygons(tiles);
    painter.lines(tiles);
    painter.points(tiles);
    if (cairo_surface_write_to_png_stream(surface.get(), append, &result.png) !=
        CAIRO_STATUS_SUCCESS)
        result.fault = PictureFault::CannotDraw;
    return result;
}

} // namespace kestrel::mapdraw
