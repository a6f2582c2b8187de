#include "typtext/polygon_writer.h"

#include <unordered_set>

#include "base/text.h"
#include "colour/colour_text.h"
#include "typtext/bitmap_library.h"
#include "typtext/colour_code.h"
#include "typtext/element_entry.h"
#include "typtext/polygon_styles.h"

namespace kestrel {

namespace {

enum class Fill { Stripes, Solid, Background, Picture, TypeNumber };

// The random colour 0 of a block: never one given out before in this run.
std::string freshColour(std::mt19937& rng, std::unordered_set<std::string>& used) {
    for (;;) {
        std::string c = randomColour(rng);
        if (used.insert(c).second) return c;
    }
}

// Whether an entry's digits start with the code's (the program compares the text after "0x").
bool listHasCode(const std::vector<InventoryEntry>& list, const TypeCode& code) {
    const std::string want = code.hexDigits();
    for (const auto& entry : list)
        if (startsWith(entry.code.hexDigits(), want)) return true;
    return false;
}

// Backgrounds of the type-number bitmap from the colour slots: standard types, extended types
// (a black slot keeps the default: the digits are black).
std::pair<std::string, std::string> numberBackgrounds(const ColourSlots& slots) {
    return {slots[0] != 0 ? rev(slots[0]) : "FFFFFF", slots[1] != 0 ? rev(slots[1]) : "FFFF00"};
}

} // namespace

void chkpolstoadd(TypeInventory& inventory, bool ntMap) {
    auto& list = inventory.list(kPolygons);
    if (ntMap) {
        for (const std::uint32_t value : {0x10802, 0x10B08, 0x10A01, 0x1090C}) {
            const TypeCode code{value, CodeDigits::Extended};
            if (!listHasCode(list, code)) addlz(inventory, code, kPolygons);
        }
        return;
    }
    for (const std::uint32_t value : {0x4B00, 0x4A00}) {
        const TypeCode code{value, CodeDigits::Standard};
        if (!listHasCode(list, code)) list.emplace_back(code, Origin::Background);
    }
}

void polygons(TypTextDocument& doc, const TypTextContext& c, std::mt19937& rng) {
    if (c.style.include4b4a) chkpolstoadd(c.inventory, c.fields.ntMarker);
    const auto& list = c.inventory.list(kPolygons);
    const SubtypeSet subtypes(list);
    const int mode = c.style.kindmode[kPolygons];
    std::unordered_set<std::string> usedColours;
    WrittenTypes written;
    int stripeCounter = 0;
    const auto backgrounds = numberBackgrounds(c.style.colourSlots);

    for (const auto& entry : list) {
        c.ui.yield();
        const auto parts = blockEntry(entry, &subtypes);
        if (!parts || !written.first(parts->code)) continue;
        // An entry with a description names its digits in lower case.
        const std::string code = parts->hasBlank ? lcase(parts->code.text()) : parts->code.text();
        const std::string digits = code.substr(2);
        const std::string label = !parts->hasBlank             ? code
                                  : parts->description.empty() ? parts->listed.text()
                                                               : parts->description;

        Fill fill = Fill::Stripes;
        std::string colour;
        int picture = 0;
        if (mode == kModeCatalogue) {
            colour = freshColour(rng, usedColours);
            if (const PolygonStyle* row = findPolygonStyle(bareTypeKey(parts->code))) {
                switch (row->fill) {
                case PolygonFill::Stripes:
                    if (!row->colour.empty()) colour = row->colour;
                    break;
                case PolygonFill::Picture:
                    fill = Fill::Picture;
                    picture = row->picture;
                    break;
                case PolygonFill::Solid:
                    fill = Fill::Solid;
                    colour = row->colour;
                    break;
                case PolygonFill::Background:
                    fill = Fill::Background;
                    colour = row->colour;
                    break;
                }
            }
        } else if (mode == kModeTypeOnBmp) {
            fill = Fill::TypeNumber;
        } else {
            fill = Fill::Solid;
            colour = padTo(6, digits);
        }

        doc.blockStart(kPolygons, "[_polygon]");
        doc.line("Type=", parts->code.text());
        doc.line("String1=0x0,", digits, " ", label);
        doc.line("ExtendedLabels=N");
        doc.line("CustomColor=No");
        switch (fill) {
        case Fill::Picture: {
            const PolygonPicture& p = polygonPicture(picture);
            doc.xpm("32 32 2 1");
            doc.quoted(p.colour0);
            doc.quoted(p.colour1);
            doc.raw(p.rows);
            break;
        }
        case Fill::TypeNumber:
            doc.xpm("32 32 2 1");
            doc.colour('0', lcase(digits) == "4b00" ? "FFFFD5"
                            : digits.size() == 5    ? backgrounds.second
                                                    : backgrounds.first);
            doc.colour('1', "000000");
            doc.raw(get_bmp2(digits));
            break;
        case Fill::Stripes:
            ++stripeCounter;
            doc.xpm("32 32 2 1");
            doc.colour('0', colour);
            doc.colour('1', randomColour(rng));
            doc.raw(bmpstripes(stripeCounter % 9));
            break;
        case Fill::Solid:
            ++stripeCounter;
            doc.xpm("0 0 1 0");
            doc.colour('1', colour == "010D01" ? "E9e9d3" : colour);
            break;
        case Fill::Background:
            doc.xpm("0 0 1 0");
            doc.colour('1', colour);
            break;
        }
        doc.line("[end]");
        doc.endChunk();
    }
}

} // namespace kestrel
