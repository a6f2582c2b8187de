#include "legend/legend_sheet.h"

#include <algorithm>
#include <limits>

namespace kestrel::legend {
namespace {

template <class Element>
std::vector<Row> rowsOf(const std::vector<Element>& elements, ObjectKind kind) {
    std::vector<Row> rows;
    rows.reserve(elements.size());
    for (std::size_t i = 0; i < elements.size(); ++i)
        rows.push_back({kind, elements[i].code, i, {}, {}});
    return rows;
}

const TypeCount* countOf(const std::vector<TypeCount>& types, typ::ElementCode code) {
    const auto found = std::find_if(types.begin(), types.end(), [&](const TypeCount& t) {
        return elementCode(t.code) == code;
    });
    return found == types.end() ? nullptr : &*found;
}

template <class Element> bool styles(const std::vector<Element>& elements, typ::ElementCode code) {
    return std::any_of(elements.begin(), elements.end(),
                       [&](const Element& e) { return e.code == code; });
}

// The TYP's rows get their counts; the map's types without a style and the unused elements are
// listed.
void compare(Sheet& s, std::vector<Row>& rows, const std::vector<TypeCount>& types, ObjectKind kind,
             bool styled(const typ::TypFile&, typ::ElementCode)) {
    for (Row& r : rows) {
        const TypeCount* c = countOf(types, r.code);
        r.objects = c ? c->count : 0;
        if (!c) s.unused.push_back(r);
    }
    for (const TypeCount& t : types) {
        const typ::ElementCode code = elementCode(t.code);
        Row row{kind, code, std::nullopt, std::nullopt, t.count};
        if (kind == ObjectKind::Polygon) {
            row.drawLevel = drawLevel(s.typ.drawOrder, code);
            if (!row.drawLevel) s.undrawn.push_back(row);
        }
        if (!styled(s.typ, code)) s.unstyled.push_back(row);
    }
}

template <class Element>
std::optional<SheetFault> faultIn(const std::vector<Element>& elements, ObjectKind kind) {
    for (const Element& e : elements)
        if (const auto fault = draw::pictureFault(e)) return SheetFault{kind, e.code, *fault};
    return std::nullopt;
}

} // namespace

std::optional<unsigned> drawLevel(const typ::DrawOrder& order, typ::ElementCode code) {
    for (std::size_t level = 0; level < order.levels.size(); ++level)
        for (const typ::DrawOrderEntry& e : order.levels[level]) {
            const bool match = code.extended() ? e.extended() && e.type == (code.type & 0xFF) &&
                                                     code.subtype < 32 &&
                                                     (e.extendedSubtypes >> code.subtype & 1)
                                               : !e.extended() && e.type == code.type;
            if (match) return static_cast<unsigned>(level + 1);
        }
    return std::nullopt;
}

Sheet makeSheet(typ::TypFile typ, const std::optional<MapUse>& use) {
    Sheet s;
    s.typ = std::move(typ);
    s.polygons = rowsOf(s.typ.polygons, ObjectKind::Polygon);
    for (Row& r : s.polygons) r.drawLevel = drawLevel(s.typ.drawOrder, r.code);
    // Lowest level first, as a device draws them; those it never draws last.
    std::stable_sort(s.polygons.begin(), s.polygons.end(), [](const Row& a, const Row& b) {
        constexpr unsigned kNone = std::numeric_limits<unsigned>::max();
        return a.drawLevel.value_or(kNone) < b.drawLevel.value_or(kNone);
    });
    s.lines = rowsOf(s.typ.lines, ObjectKind::Line);
    s.points = rowsOf(s.typ.points, ObjectKind::Point);
    if (!use) return s;
    s.withMap = true;
    s.mapIncomplete = use->incomplete;
    const auto& kinds = use->kinds;
    compare(s, s.polygons, kinds[0], ObjectKind::Polygon,
            [](const typ::TypFile& t, typ::ElementCode c) { return styles(t.polygons, c); });
    compare(s, s.lines, kinds[1], ObjectKind::Line,
            [](const typ::TypFile& t, typ::ElementCode c) { return styles(t.lines, c); });
    compare(s, s.points, kinds[2], ObjectKind::Point,
            [](const typ::TypFile& t, typ::ElementCode c) { return styles(t.points, c); });
    return s;
}

std::optional<SheetFault> sheetFault(const typ::TypFile& typ) {
    if (auto f = faultIn(typ.polygons, ObjectKind::Polygon)) return f;
    if (auto f = faultIn(typ.lines, ObjectKind::Line)) return f;
    return faultIn(typ.points, ObjectKind::Point);
}

} // namespace kestrel::legend
