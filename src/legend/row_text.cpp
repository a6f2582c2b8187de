#include "legend/row_text.h"

#include "base/text.h"
#include "base/utf8.h"
#include "legend/sheet_words.h"

namespace kestrel::legend {
namespace {

std::string languageName(std::uint8_t language) {
    if (language < words::kLanguages.size()) return std::string(words::kLanguages[language]);
    return concat({words::kLanguage, pad2(hex(language))});
}

// A label as a picture or a page may show it: well-formed UTF-8 (Cairo draws nothing else), its
// control characters written out.
std::string shown(std::string_view text) {
    std::string out;
    for (std::size_t at = 0; at < text.size();) {
        const Utf8Char c = nextUtf8(text, at);
        appendUtf8(out, c.bytes ? c.cp : 0xFFFD);
        at += c.bytes ? c.bytes : 1;
    }
    return escapeControls(out);
}

} // namespace

const typ::Labelling* labellingOf(const Sheet& sheet, const Row& row) {
    if (!row.element) return nullptr;
    switch (row.kind) {
    case ObjectKind::Polygon:
        return &sheet.typ.polygons[*row.element].labelling;
    case ObjectKind::Line:
        return &sheet.typ.lines[*row.element].labelling;
    case ObjectKind::Point:
        return &sheet.typ.points[*row.element].labelling;
    }
    return nullptr;
}

std::string codeText(typ::ElementCode code) {
    return concat({"0x", padTo(4, hex(code.value()))});
}

std::string colourText(typ::Rgb c) {
    return concat({"#", pad2(hex(c.red)), pad2(hex(c.green)), pad2(hex(c.blue))});
}

RowText rowText(const Sheet& sheet, const Row& row) {
    RowText t;
    t.kind = words::kKindNames[static_cast<int>(row.kind)];
    t.code = codeText(row.code);
    if (row.kind == ObjectKind::Polygon)
        t.level = row.drawLevel ? concat({words::kLevel, std::to_string(*row.drawLevel)})
                                : std::string(words::kNoLevel);
    if (row.objects)
        t.objects = concat({std::to_string(*row.objects),
                            *row.objects == 1 ? words::kOneObject : words::kObjects});
    const typ::Labelling* l = labellingOf(sheet, row);
    if (!l) return t;
    for (const typ::Label& label : l->labels)
        t.labels.push_back(concat({shown(label.text), " (", languageName(label.language), ")"}));
    t.font = std::string(words::kFonts[static_cast<std::size_t>(l->font) & 7]);
    if (!l->dayColour && !l->nightColour) {
        t.labelColours = std::string(words::kDeviceColours);
    } else {
        std::vector<std::string> colours;
        if (l->dayColour) colours.push_back(colourText(*l->dayColour));
        if (l->nightColour)
            colours.push_back(colourText(*l->nightColour) + std::string(words::kNightSuffix));
        t.labelColours = join(colours, ", ");
    }
    return t;
}

std::string factsLine(const RowText& t, bool withKind) {
    std::vector<std::string> parts{withKind ? concat({t.kind, " ", t.code}) : t.code};
    for (const std::string* s : {&t.level, &t.objects})
        if (!s->empty()) parts.push_back(*s);
    return join(parts, "  ·  ");
}

std::string labelsLine(const RowText& t) {
    std::vector<std::string> parts{t.labels.empty() ? std::string(words::kNoLabels)
                                                    : join(t.labels, ", ")};
    if (!t.font.empty()) parts.push_back(t.font);
    if (!t.labelColours.empty()) parts.push_back(concat({words::kLabelColours, t.labelColours}));
    return join(parts, "  ·  ");
}

} // namespace kestrel::legend
