#include "legend/swatch.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "draw/cairo_handles.h"
#include "draw/picture_check.h"
#include "legend/cairo_bytes.h"

namespace kestrel::legend {
namespace {

constexpr int kPad = 8;
constexpr int kAreaWidth = 72, kAreaHeight = 40; // over two tiles of a pattern each way
constexpr int kLineLength = 72;
constexpr int kChecker = 6;

template <class Element, class Plain>
Element styleOf(const std::vector<Element>& list, const Row& row, Plain plain) {
    return row.element && *row.element < list.size() ? list[*row.element] : plain(row.code);
}

typ::Line lineOf(const Sheet& s, const Row& r) {
    return styleOf(s.typ.lines, r, draw::plainLine);
}
typ::Point pointOf(const Sheet& s, const Row& r) {
    return styleOf(s.typ.points, r, draw::plainPoint);
}

// The width a line takes across: its bitmap's rows, or its width and border on each side.
int lineBreadth(const typ::Line& l) {
    if (l.pattern) return l.pattern->rows;
    return std::max(1, int{l.lineWidth}) + (l.day.background ? 2 * l.borderWidth : 0);
}

// Light squares by day, dark ones by night, as the map's ground below would be.
constexpr typ::Rgb kChecks[2][2] = {{typ::rgbFromHex(0xFFFFFF), typ::rgbFromHex(0xE0E0E0)},
                                    {typ::rgbFromHex(0x1E1E22), typ::rgbFromHex(0x333338)}};

void setColour(cairo_t* cr, typ::Rgb c) {
    cairo_set_source_rgb(cr, c.red / 255.0, c.green / 255.0, c.blue / 255.0);
}

void checkerboard(cairo_t* cr, Size size, draw::Daytime time) {
    const auto& checks = kChecks[time == draw::Daytime::Night ? 1 : 0];
    setColour(cr, checks[0]);
    cairo_paint(cr);
    setColour(cr, checks[1]);
    for (int y = 0; y < size.height; y += kChecker)
        for (int x = (y / kChecker % 2) * kChecker; x < size.width; x += 2 * kChecker)
            cairo_rectangle(cr, x, y, kChecker, kChecker);
    cairo_fill(cr);
}

} // namespace

Size swatchSize(const Sheet& sheet, const Row& row) {
    switch (row.kind) {
    case ObjectKind::Polygon:
        return {kAreaWidth, kAreaHeight};
    case ObjectKind::Line:
        return {kLineLength + 2 * kPad,
                std::clamp(lineBreadth(lineOf(sheet, row)) + 2 * kPad, 24, 2 * 255 + 2 * kPad)};
    case ObjectKind::Point: {
        const typ::Image& icon = pointOf(sheet, row).day;
        return {3 * icon.width + 3 * kPad, std::max(2 * icon.height + 2 * kPad, 24)};
    }
    }
    return {};
}

draw::Surface swatchSurface(const Sheet& sheet, const Row& row, draw::Daytime time) {
    const Size size = swatchSize(sheet, row);
    draw::Surface surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size.width, size.height));
    draw::Context context(cairo_create(surface.get()));
    cairo_t* cr = context.get();
    checkerboard(cr, size, time);
    draw::TypPainter painter(cr, time);
    const double w = size.width, h = size.height;
    switch (row.kind) {
    case ObjectKind::Polygon: {
        const std::vector<std::vector<draw::PointF>> area = {{{0, 0}, {w, 0}, {w, h}, {0, h}}};
        painter.fillPolygon(styleOf(sheet.typ.polygons, row, draw::plainPolygon), area);
        break;
    }
    case ObjectKind::Line: {
        // Along the middle of a whole pixel row, so that a line of odd width has crisp edges.
        const double middle = std::floor(h / 2) + (lineBreadth(lineOf(sheet, row)) % 2 ? 0.5 : 0);
        const std::vector<draw::PointF> segment = {{kPad, middle}, {w - kPad, middle}};
        painter.strokeLine(lineOf(sheet, row), segment);
        break;
    }
    case ObjectKind::Point: {
        const typ::Point point = pointOf(sheet, row);
        const double iw = point.day.width;
        painter.placePoint(point, {kPad + iw / 2, h / 2}, 1);
        painter.placePoint(point, {2 * kPad + 2 * iw, h / 2}, 2);
        break;
    }
    }
    return surface;
}

std::optional<std::string> typeSwatchPng(const typ::TypFile& typ, ObjectKind kind,
                                         std::uint32_t code, int side) {
    side = std::clamp(side, 8, 64);
    const typ::ElementCode wanted = elementCode(code);
    const auto find = [&](const auto& list) {
        const auto at = std::find_if(list.begin(), list.end(), [&](const auto& e) {
            return e.code == wanted && !draw::pictureFault(e);
        });
        return at == list.end() ? nullptr : &*at;
    };
    draw::Surface surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, side, side));
    draw::Context cr(cairo_create(surface.get()));
    draw::TypPainter painter(cr.get(), draw::Daytime::Day);
    const double s = side;
    if (kind == ObjectKind::Polygon) {
        const auto* polygon = find(typ.polygons);
        if (!polygon) return std::nullopt;
        const std::vector<std::vector<draw::PointF>> area = {{{0, 0}, {s, 0}, {s, s}, {0, s}}};
        painter.fillPolygon(*polygon, area);
    } else if (kind == ObjectKind::Line) {
        const auto* line = find(typ.lines);
        if (!line) return std::nullopt;
        const std::vector<draw::PointF> segment = {{0, std::floor(s / 2) + 0.5},
                                                   {s, std::floor(s / 2) + 0.5}};
        painter.strokeLine(*line, segment);
    } else {
        const auto* point = find(typ.points);
        if (!point) return std::nullopt;
        // Larger icons are shrunk to fit, smaller ones kept at their size.
        const int longer = std::max(point->day.width, point->day.height);
        painter.placePoint(*point, {s / 2, s / 2}, longer > side ? s / longer : 1.0);
    }
    return pngBytes(surface.get());
}

std::optional<std::string> swatchPng(const Sheet& sheet, const Row& row, draw::Daytime time) {
    return pngBytes(swatchSurface(sheet, row, time).get());
}

} // namespace kestrel::legend
