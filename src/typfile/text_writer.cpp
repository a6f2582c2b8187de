#include "typfile/text_writer.h"

#include <algorithm>
#include <array>

#include "typfile/text_sink.h"
#include "typfile/xpm_text.h"

namespace kestrel::typ {

namespace {

void sectionLine(TextSink& out, std::string_view name) {
    out << name;
    out.endLine();
}

void endSection(TextSink& out) {
    out << "[end]";
    out.endLine();
    out.endLine();
}

// mkgmap reads a value below 0x100 as a type of subtype 0, a value up to 0xFFFF as type x 0x100 +
// subtype, and a longer one as an extended type (0x10F04: 0x10F, subtype 4). Types 0 and 1 keep
// their subtype on a SubType line: 0x0005 would read as type 5, and 0x0105 looks like the
// three-digit extended code 0x105 that TYP editors write (kestrel's compile warns about it).
void typeLines(TextSink& out, ElementCode code) {
    out << "Type=0x";
    if (code.extended()) {
        out.hex(code.type, 3).hex(code.subtype, 2);
    } else if (code.type < 2) {
        out.hex(code.type, 2);
        if (code.subtype != 0) {
            out.endLine();
            out << "SubType=0x";
            out.hex(code.subtype, 2);
        }
    } else {
        out.hex(code.type, 2).hex(code.subtype, 2);
    }
    out.endLine();
}

// mkgmap ends a line at CR or LF and trims blanks (and other characters up to 0x20) off its end.
void labelText(TextSink& out, std::string_view text) {
    std::size_t end = text.size();
    while (end > 0 && static_cast<unsigned char>(text[end - 1]) <= ' ') --end;
    if (end != text.size()) out.note(TextLoss::LabelText);
    for (const char c : text) {
        if (c == '\r' || c == '\n' || c == '\0') {
            out.note(TextLoss::LabelText);
            out << ' ';
        } else {
            out << c;
        }
    }
    out.endLine();
}

constexpr std::array<std::string_view, 5> kFontNames = {"", "NoLabel", "SmallFont", "NormalFont",
                                                        "LargeFont"};

// `point`: mkgmap stores a polygon's or line's night label colour only beside a font style or a
// day label colour; a point's always.
void labelling(TextSink& out, const Labelling& l, bool point) {
    std::uint32_t n = 0;
    for (const Label& label : l.labels) {
        (out << "String").number(++n) << "=0x";
        out.hex(label.language, 2) << ',';
        labelText(out, label.text);
    }
    const auto font = static_cast<std::size_t>(l.font);
    if (font >= kFontNames.size()) {
        out.note(TextLoss::FontStyle);
    } else if (font != 0) {
        out << "FontStyle=" << kFontNames[font];
        out.endLine();
    }
    if (l.dayColour) {
        out << "DayCustomColor=";
        out.colour(*l.dayColour).endLine();
    }
    if (l.nightColour && !point && l.font == FontStyle::Default && !l.dayColour) {
        out.note(TextLoss::NightLabelColour);
    } else if (l.nightColour) {
        out << "NightCustomColor=";
        out.colour(*l.nightColour).endLine();
    }
}

void identity(TextSink& out, const Identity& id) {
    out << "; TYP source text decompiled by kestrel. UTF-8: mkgmap reads it so after the "
           "byte-order mark.";
    out.endLine();
    out << "; Compile: kestrel-cli compile FILE.txt -o FILE.typ, or mkgmap --code-page=";
    out.number(id.codePage) << " FILE.txt";
    out.endLine();
    sectionLine(out, "[_id]");
    out << "FID=";
    out.number(id.familyId).endLine();
    out << "ProductCode=";
    out.number(id.productId).endLine();
    out << "CodePage=";
    out.number(id.codePage).endLine();
    endSection(out);
}

// The order mkgmap gives the entries of a level: standard types, then extended ones, each by
// ascending type, one entry a type.
std::uint32_t drawOrderKey(const DrawOrderEntry& e) {
    return (e.extended() ? 0x100u : 0u) | e.type;
}

// mkgmap writes the levels a text names in ascending order with the gaps closed, and puts an
// empty first level before them when the text names no level 1.
bool drawOrderKept(const DrawOrder& d) {
    for (std::size_t i = 0; i < d.levels.size(); ++i) {
        const std::vector<DrawOrderEntry>& level = d.levels[i];
        if (level.empty() && (i != 0 || d.levels.size() == 1)) return false;
        for (std::size_t k = 1; k < level.size(); ++k)
            if (drawOrderKey(level[k - 1]) >= drawOrderKey(level[k])) return false;
    }
    return true;
}

// Level n of the model is level n of the text; an extended type takes one line a subtype.
void drawOrder(TextSink& out, const DrawOrder& d) {
    if (d.empty()) return;
    out.element(TypPart::DrawOrder, std::nullopt);
    if (!drawOrderKept(d)) out.note(TextLoss::DrawOrderShape);
    sectionLine(out, "[_drawOrder]");
    for (std::size_t i = 0; i < d.levels.size(); ++i) {
        const auto level = static_cast<std::uint32_t>(i + 1);
        for (const DrawOrderEntry& e : d.levels[i]) {
            if (!e.extended()) {
                out << "Type=0x";
                out.hex(e.type, 2) << ',';
                out.number(level).endLine();
                continue;
            }
            for (std::uint32_t s = 0; s < 32; ++s) {
                if (!(e.extendedSubtypes >> s & 1)) continue;
                out << "Type=0x1";
                out.hex(e.type, 2).hex(s, 2) << ',';
                out.number(level).endLine();
            }
        }
    }
    endSection(out);
}

void polygon(TextSink& out, const Polygon& p) {
    sectionLine(out, "[_polygon]");
    typeLines(out, p.code);
    labelling(out, p.labelling, false);
    if (p.pattern) {
        writePattern(out, p.day, p.night, *p.pattern, kPolygonPatternRows);
    } else {
        // A plain polygon shows its foregrounds only.
        if (p.day.background || (p.night && p.night->background))
            out.note(TextLoss::HiddenBackground);
        const std::optional<Rgb> colours[] = {p.day.foreground,
                                              p.night ? p.night->foreground : Rgb{}};
        writePlainColours(out, std::span(colours, p.night ? 2 : 1));
    }
    endSection(out);
}

// A plain line: "0 0 1 0" one colour; "0 0 2 0" with a border width the line and its border,
// else the day and night colours; "0 0 4 0" the day line and border, then the night ones.
void plainLine(TextSink& out, const Line& l) {
    out << "LineWidth=";
    out.number(l.lineWidth).endLine();
    const bool border = l.day.background || (l.night && l.night->background);
    // Without night colours, a border shows only with a width.
    if (border && (l.night || l.borderWidth != 0)) {
        out << "BorderWidth=";
        out.number(l.borderWidth).endLine();
    }
    if (!l.night) {
        if (border && l.borderWidth == 0) out.note(TextLoss::HiddenBackground);
        const std::optional<Rgb> colours[] = {l.day.foreground, l.day.background};
        writePlainColours(out, std::span(colours, border && l.borderWidth != 0 ? 2 : 1));
    } else if (!border) {
        const std::optional<Rgb> colours[] = {l.day.foreground, l.night->foreground};
        writePlainColours(out, colours);
    } else {
        const std::optional<Rgb> colours[] = {l.day.foreground, l.day.background,
                                              l.night->foreground, l.night->background};
        writePlainColours(out, colours);
    }
}

void line(TextSink& out, const Line& l) {
    sectionLine(out, "[_line]");
    typeLines(out, l.code);
    labelling(out, l.labelling, false);
    out << "UseOrientation=" << (l.useOrientation ? "Y" : "N");
    out.endLine();
    if (l.pattern) {
        const auto rows = std::clamp<std::uint8_t>(l.pattern->rows, 1, kMaxLinePatternRows);
        writePattern(out, l.day, l.night, *l.pattern, rows);
    } else {
        plainLine(out, l);
    }
    endSection(out);
}

void point(TextSink& out, const Point& p) {
    sectionLine(out, "[_point]");
    typeLines(out, p.code);
    labelling(out, p.labelling, true);
    writeImage(out, "DayXpm", p.day);
    if (p.night) {
        if (p.night->width != p.day.width || p.night->height != p.day.height)
            out.note(TextLoss::ImageShape);
        writeImage(out, "NightXpm", *p.night);
    }
    endSection(out);
}

// The one label of an icon set has no language; mkgmap takes a leading number and comma for one
// and drops it, so the language 0 goes before any text.
void iconSet(TextSink& out, const IconSet& s) {
    sectionLine(out, "[_icons]");
    typeLines(out, s.code);
    if (s.label) {
        out << "String=0x00,";
        labelText(out, *s.label);
    }
    for (const Image& icon : s.icons) writeImage(out, "IconXpm", icon);
    endSection(out);
}

// mkgmap sorts each list by code, keeping the order of equal codes.
template <typename T, typename Write>
void elements(TextSink& out, const std::vector<T>& list, TypPart part, Write write) {
    const bool sorted = std::is_sorted(list.begin(), list.end(), [](const T& a, const T& b) {
        return a.code.word() < b.code.word();
    });
    if (!sorted) {
        out.element(part, std::nullopt);
        out.note(TextLoss::UnsortedElements);
    }
    for (const T& e : list) {
        out.element(part, e.code);
        write(out, e);
    }
}

} // namespace

TextWrite writeText(const TypFile& typ) {
    TextSink out;
    out << "\xEF\xBB\xBF";
    identity(out, typ.identity);
    drawOrder(out, typ.drawOrder);
    elements(out, typ.polygons, TypPart::Polygons, polygon);
    elements(out, typ.lines, TypPart::Lines, line);
    elements(out, typ.points, TypPart::Points, point);
    elements(out, typ.iconSets, TypPart::IconSets, iconSet);
    if (!typ.activeRoutes.empty())
        out.note(
            {TextLoss::ActiveRoutes, TypPart::ActiveRoutes, std::nullopt, typ.activeRoutes.size()});
    return out.finish();
}

} // namespace kestrel::typ
