#include "typtext/line_writer.h"

#include "base/text.h"
#include "typtext/colour_code.h"
#include "typtext/element_entry.h"
#include "typtext/line_styles.h"

namespace kestrel {

namespace {

std::string colourText(int r, int g, int b) {
    return padTo(6, hex(static_cast<std::uint64_t>(r + 256 * g + 65536 * b)));
}

// Full red, green and blue random.
std::string redFamilyColour(std::mt19937& rng) {
    const int a = randomComponent(rng);
    const int b = randomComponent(rng);
    return colourText(255, a, b);
}

// One of the bright families: full red, else full green, else full blue, the other two random.
// The text reads blue, green, red (the value's digits, most significant first).
std::string brightColour(std::mt19937& rng) {
    if (10.0 * randomFraction(rng) > 5.0) return redFamilyColour(rng);
    const bool green = 10.0 * randomFraction(rng) > 5.0;
    const int a = randomComponent(rng);
    const int b = randomComponent(rng);
    return green ? colourText(a, 255, b) : colourText(a, b, 255);
}

} // namespace

void polylines(TypTextDocument& doc, const TypTextContext& c, std::mt19937& rng) {
    const auto& list = c.inventory.list(kLines);
    const SubtypeSet subtypes(list);
    const bool colourPicker = c.style.kindmode[kLines] == kModeColorPicker;
    WrittenTypes written;

    for (const auto& entry : list) {
        c.ui.yield();
        std::string colour = brightColour(rng);
        std::string borderColour = brightColour(rng);
        const auto parts = blockEntry(entry, &subtypes);
        if (!parts || !written.first(parts->code)) continue;
        int width = parts->hasBlank ? 2 : 5;
        int border = parts->hasBlank ? 0 : 2;
        int pattern = 0;
        const std::string label =
            parts->description.empty() ? parts->code.text() : parts->description;

        if (const LineStyle* row = findLineStyle(bareTypeKey(parts->code))) {
            width = row->width.value_or(width);
            border = row->border.value_or(border);
            if (!row->colour.empty()) colour = row->colour;
            if (!row->borderColour.empty()) borderColour = row->borderColour;
            if (row->pattern != 0) pattern = row->pattern;
        }
        // The catalogue's own types (up to 0x2F) keep their style; the type is the bare type, so
        // "0x0A00" from a map overview keeps its dashes like "0x0a".
        if (colourPicker && bareType(parts->code) > 0x2F) {
            pattern = 0;
            colour = padTo(6, lcase(parts->code.hexDigits()));
            border = 1;
            width = 8;
            borderColour = redFamilyColour(rng);
        }

        doc.blockStart(kLines, "[_line]");
        doc.line("Type=", parts->code.text());
        if (pattern == 0) {
            doc.line("LineWidth=" + std::to_string(width));
            doc.line("BorderWidth=" + std::to_string(border));
        }
        doc.line("UseOrientation=N");
        doc.line("String1=0x0,PL:", label);
        doc.line("ExtendedLabels=N");
        doc.line("CustomColor=No");
        if (const LinePattern* p = pattern != 0 ? findLinePattern(pattern) : nullptr) {
            doc.xpm(p->header);
            doc.quoted(p->colour0);
            doc.quoted(p->colour1);
            for (int r = 0; r < p->height; ++r) doc.quoted(p->rows[static_cast<std::size_t>(r)]);
        } else if (border == 0) {
            doc.xpm("0 0 1 1");
            doc.colour('0', colour);
        } else {
            doc.xpm("0 0 2 1");
            doc.colour('0', colour);
            doc.colour('1', borderColour);
        }
        doc.line("[end]");
        doc.endChunk();
    }
}

} // namespace kestrel
