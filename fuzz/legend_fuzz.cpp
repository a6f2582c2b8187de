// Any bytes as the input of a legend (a binary TYP by its signature, else a TYP text), set beside
// a map whose types come from the bytes too: reading, the sheet's rows and texts, and the
// swatches must not crash, draw outside their surfaces or take memory beyond the input's
// measure. A TYP with a misshapen picture is refused; the painter is still asked to draw each of
// its elements and must draw nothing of a misshapen one.
// Seed it with the TYP texts and files, e.g.
//   build-fuzz/bin/fuzz_legend NEW_CORPUS tests/data/typ fuzz/corpus/typ_binary -max_total_time=300
#include <cairo.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "draw/cairo_handles.h"
#include "draw/typ_painter.h"
#include "legend/legend_input.h"
#include "legend/row_text.h"
#include "legend/sheet_html.h"
#include "legend/swatch.h"

using namespace kestrel;

namespace {

// Every element painted on a small surface, misshapen or not.
void paintAll(const typ::TypFile& t) {
    draw::Surface surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 64, 64));
    draw::Context cr(cairo_create(surface.get()));
    draw::TypPainter painter(cr.get(), draw::Daytime::Night);
    const std::vector<std::vector<draw::PointF>> rings = {{{0, 0}, {60, 5}, {30, 60}}};
    const std::vector<draw::PointF> path = {{2, 2}, {60, 30}, {10, 60}};
    std::size_t n = 0;
    for (const auto& p : t.polygons)
        if (n++ < 16) painter.fillPolygon(p, rings);
    for (const auto& l : t.lines)
        if (n++ < 32) painter.strokeLine(l, path);
    for (const auto& p : t.points)
        if (n++ < 48) painter.placePoint(p, {32, 32}, 2);
    if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const legend::InputRead read = legend::legendInputFromBytes(bytes);
    const auto* input = std::get_if<legend::LegendInput>(&read);
    if (!input) return 0;
    paintAll(input->typ);
    if (legend::sheetFault(input->typ)) return 0;
    // The map: the first bytes as codes of each kind.
    legend::MapUse use;
    for (std::size_t i = 0; i + 3 <= std::min<std::size_t>(size, 48); i += 3)
        use.kinds[i / 3 % 3].push_back(
            {static_cast<std::uint32_t>(data[i] << 16 | data[i + 1] << 8 | data[i + 2]) % 0x20000,
             1, 0});
    const legend::Sheet sheet = legend::makeSheet(input->typ, use);
    for (const auto* rows : {&sheet.polygons, &sheet.lines, &sheet.points, &sheet.unstyled})
        for (std::size_t i = 0; i < std::min<std::size_t>(rows->size(), 4); ++i) {
            legend::rowText(sheet, (*rows)[i]);
            const legend::Size want = legend::swatchSize(sheet, (*rows)[i]);
            const draw::Surface s = legend::swatchSurface(sheet, (*rows)[i], draw::Daytime::Day);
            if (cairo_image_surface_get_width(s.get()) != want.width) std::abort();
        }
    if (sheet.polygons.size() + sheet.lines.size() + sheet.points.size() <= 8)
        legend::sheetHtml(sheet, "fuzz");
    return 0;
}
