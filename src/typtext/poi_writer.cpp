#include "typtext/poi_writer.h"

#include <algorithm>
#include <map>

#include "base/text.h"
#include "colour/colour_text.h"
#include "typtext/bitmap_library.h"
#include "typtext/colour_code.h"
#include "typtext/element_entry.h"
#include "typtext/poi_icons.h"

namespace kestrel {

namespace {

// Types below 0x2A00 are cities and the like: their own width and a dark frame.
constexpr std::uint64_t kFirstNonCity = 0x2A00;
constexpr int kLargestIcon = 32;

// The rows of a generated icon depend only on its width and the frame step; they are made once
// per run and copied after that.
using FrameRows = std::map<std::pair<int, int>, std::string>;

// The generated square icon: a one-pixel frame at the sides, top and bottom bands of m + 1 rows
// that grow with each icon (`frameStep`) and start again when the hollow would get too small.
void frameIcon(TypTextDocument& doc, int& width, const std::string& fill, const std::string& frame,
               int& frameStep, FrameRows& made) {
    width = std::min(width, kLargestIcon);
    const int w = std::max(1, width);
    if (w - frameStep < 0 || w - 2 - 2 * frameStep < 10) frameStep = 0;
    const std::string size = std::to_string(w);
    doc.line("Xpm=\"", size, " ", size, " 2 1\"");
    doc.colour('0', fill);
    doc.colour('1', frame);
    std::string& rows = made[{w, frameStep}];
    if (rows.empty()) {
        const std::string full(static_cast<std::size_t>(w), '1');
        const std::string hollow =
            w >= 2 ? concat({"1", std::string(static_cast<std::size_t>(w - 2), '0'), "1"}) : full;
        for (int r = 0; r < w; ++r) {
            const bool band = r <= frameStep || r >= w - 1 - frameStep;
            rows += "\"" + (band ? full : hollow) + "\"\r\n";
        }
    }
    doc.raw(rows);
    ++frameStep;
}

// Backgrounds of the type-number bitmap from the colour slots: standard types, extended types
// (a black slot keeps the default: the digits are black).
std::pair<std::string, std::string> numberBackgrounds(const ColourSlots& slots) {
    return {slots[2] != 0 ? rev(slots[2]) : "CCCCCC", slots[3] != 0 ? rev(slots[3]) : "FFFF00"};
}

} // namespace

void pois(TypTextDocument& doc, const TypTextContext& c, std::mt19937& rng) {
    const int mode = c.style.kindmode[kPois];
    WrittenTypes written;
    int frameStep = 0;
    FrameRows frameRows;
    // Each icon file is read once per run, however many blocks show it.
    std::map<int, std::string> iconTexts;
    const auto iconText = [&](int icon) -> const std::string& {
        auto it = iconTexts.find(icon);
        if (it == iconTexts.end()) it = iconTexts.emplace(icon, bmp(c.syspath, icon)).first;
        return it->second;
    };
    const auto backgrounds = numberBackgrounds(c.style.colourSlots);

    for (const auto& entry : c.inventory.list(kPois)) {
        c.ui.yield();
        std::string fill = randomColour(rng);
        const auto parts = blockEntry(entry, nullptr);
        if (!parts || !written.first(parts->code)) continue;
        const std::string code = lcase(parts->code.text());
        const std::string label = parts->description.empty() ? code : parts->description;
        const std::string digits = code.substr(2);
        const std::uint64_t value = parts->code.value;
        const bool city = value < kFirstNonCity;
        std::string frame = city ? "5B0000" : "B0B0B0";
        int icon = findPoiIcon(code);

        doc.blockStart(kPois, "[_point]");
        doc.line("Type=0x", digits);
        doc.line("String1=0x0,", label);
        int& width = city ? c.widths.city : c.widths.poi;
        if (mode == kModeCatalogue || icon > 0) {
            if (icon == 0) {
                for (const auto& bare : kBareTypeIcons)
                    if (digits == bare.digits) icon = bare.icon;
            }
            doc.line("ExtendedLabels=N");
            // A missing icon file would leave the block without a picture, which compilers
            // refuse; the generated icon stands in.
            const std::string noIcon;
            const std::string& text = icon > 0 ? iconText(icon) : noIcon;
            if (!text.empty())
                doc.raw(text);
            else
                frameIcon(doc, width, fill, frame, frameStep, frameRows);
        } else if (mode == kModeTypeOnBmp) {
            c.widths.city = kLargestIcon;
            const std::string size = std::to_string(kLargestIcon);
            doc.line("Xpm=\"", size, " ", size, " 2 1\"");
            doc.colour('0', digits.size() == 5 ? backgrounds.second : backgrounds.first);
            doc.colour('1', "000000");
            doc.raw(get_bmp2(digits));
        } else {
            fill = padTo(6, hex(value));
            frame = "c0c0c0";
            frameIcon(doc, width, fill, frame, frameStep, frameRows);
        }
        doc.line("[end]");
        doc.endChunk();
    }
}

} // namespace kestrel
