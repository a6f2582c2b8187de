#include "legend/sheet_picture.h"

#include <cairo-svg.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "draw/cairo_handles.h"
#include "legend/cairo_bytes.h"
#include "legend/row_text.h"
#include "legend/sheet_words.h"
#include "legend/swatch.h"

namespace kestrel::legend {
namespace {

constexpr double kMargin = 16, kGap = 12, kLine = 16, kFont = 12, kHeading = 15;

// One line or swatch row of the picture, placed from the top.
struct Item {
    enum class What { Title, Heading, Text, Row } what = What::Text;
    std::string text, second;
    const Row* row = nullptr;
    double height = 0;
};

struct Layout {
    Columns columns = Columns::DayAndNight;
    std::vector<Item> items;
    double swatchWidth = 0; // the widest swatch: the night column starts after it
    double width = 0, height = 0;

    int swatchColumns() const { return columns == Columns::DayAndNight ? 2 : 1; }
    double textX() const { return kMargin + swatchColumns() * (swatchWidth + kGap); }
};

void setFont(cairo_t* cr, double size, bool bold) {
    cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
}

double textWidth(cairo_t* cr, const std::string& text) {
    cairo_text_extents_t e;
    cairo_text_extents(cr, text.c_str(), &e);
    return e.x_advance;
}

void addRows(Layout& l, const Sheet& s, std::string_view heading, const std::vector<Row>& rows) {
    l.items.push_back({Item::What::Heading, std::string(heading), {}, nullptr, kHeading + kGap});
    if (rows.empty())
        l.items.push_back({Item::What::Text, std::string(words::kNone), {}, nullptr, kLine});
    for (const Row& r : rows) {
        const RowText t = rowText(s, r);
        const Size size = swatchSize(s, r);
        l.swatchWidth = std::max(l.swatchWidth, double(size.width));
        l.items.push_back({Item::What::Row, factsLine(t, !r.element),
                           r.element ? labelsLine(t) : "", &r,
                           std::max(double(size.height), 2 * kLine) + kGap / 2});
    }
    l.items.back().height += kGap;
}

void addList(Layout& l, const Sheet& s, std::string_view heading, const std::vector<Row>& rows) {
    l.items.push_back({Item::What::Heading, std::string(heading), {}, nullptr, kHeading + kGap});
    std::vector<std::string> codes;
    for (const Row& r : rows) codes.push_back(factsLine(rowText(s, r), true));
    if (codes.empty()) codes.push_back(std::string(words::kNone));
    for (std::string& c : codes)
        l.items.push_back({Item::What::Text, std::move(c), {}, nullptr, kLine});
    l.items.back().height += kGap;
}

Layout layout(const Sheet& s, std::string_view title, Columns columns) {
    Layout l;
    l.columns = columns;
    l.items.push_back({Item::What::Title, std::string(title), {}, nullptr, 2 * kHeading});
    addRows(l, s, words::kPolygons, s.polygons);
    addRows(l, s, words::kLines, s.lines);
    addRows(l, s, words::kPoints, s.points);
    if (s.withMap) {
        if (s.mapIncomplete)
            l.items.push_back(
                {Item::What::Text, std::string(words::kIncomplete), {}, nullptr, kLine + kGap});
        addRows(l, s, words::kUnstyled, s.unstyled);
        addList(l, s, words::kUndrawn, s.undrawn);
        addList(l, s, words::kUnused, s.unused);
    }
    // Text widths measured once on a scratch surface: a PNG and an SVG measure alike.
    draw::Surface scratch(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1));
    draw::Context cr(cairo_create(scratch.get()));
    const double textX = l.textX();
    double width = 0;
    for (const Item& i : l.items) {
        const bool row = i.what == Item::What::Row;
        setFont(cr.get(), i.what == Item::What::Text || row ? kFont : kHeading,
                i.what != Item::What::Text && !row);
        const double x = row ? textX : kMargin;
        width =
            std::max({width, x + textWidth(cr.get(), i.text), x + textWidth(cr.get(), i.second)});
        l.height += i.height;
    }
    l.width = std::ceil(width + kMargin);
    l.height = std::ceil(l.height + 2 * kMargin);
    return l;
}

void placeSwatch(cairo_t* cr, const draw::Surface& swatch, double x, double y) {
    cairo_set_source_surface(cr, swatch.get(), x, y);
    cairo_paint(cr);
}

void paint(cairo_t* cr, const Sheet& s, const Layout& l) {
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    const double textX = l.textX();
    double y = kMargin;
    for (const Item& i : l.items) {
        cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
        switch (i.what) {
        case Item::What::Title:
        case Item::What::Heading:
            setFont(cr, kHeading, true);
            cairo_move_to(cr, kMargin, y + kHeading);
            cairo_show_text(cr, i.text.c_str());
            break;
        case Item::What::Text:
            setFont(cr, kFont, false);
            cairo_move_to(cr, kMargin, y + kFont);
            cairo_show_text(cr, i.text.c_str());
            break;
        case Item::What::Row:
            if (l.columns != Columns::Night)
                placeSwatch(cr, swatchSurface(s, *i.row, draw::Daytime::Day), kMargin, y);
            if (l.columns != Columns::Day)
                placeSwatch(cr, swatchSurface(s, *i.row, draw::Daytime::Night),
                            l.textX() - l.swatchWidth - kGap, y);
            cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
            setFont(cr, kFont, false);
            cairo_move_to(cr, textX, y + kFont);
            cairo_show_text(cr, i.text.c_str());
            cairo_move_to(cr, textX, y + kFont + kLine);
            cairo_show_text(cr, i.second.c_str());
            break;
        }
        y += i.height;
    }
}

} // namespace

std::variant<std::string, TooLargeForPicture>
sheetPicture(const Sheet& sheet, std::string_view title, PictureFormat format, Columns columns) {
    const Layout l = layout(sheet, title, columns);
    const int width = static_cast<int>(std::min(l.width, 1e9));
    const int height = static_cast<int>(std::min(l.height, 1e9));
    if (format == PictureFormat::Png) {
        if (width > kMaxPictureSide || height > kMaxPictureSide ||
            double(width) * height > kMaxPicturePixels)
            return TooLargeForPicture{width, height};
        draw::Surface surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height));
        draw::Context cr(cairo_create(surface.get()));
        paint(cr.get(), sheet, l);
        return pngBytes(surface.get()).value_or(std::string());
    }
    std::string bytes;
    {
        draw::Surface surface(
            cairo_svg_surface_create_for_stream(appendBytes, &bytes, width, height));
        draw::Context cr(cairo_create(surface.get()));
        paint(cr.get(), sheet, l);
        cairo_surface_finish(surface.get());
    }
    return bytes;
}

} // namespace kestrel::legend
