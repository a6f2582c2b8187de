#include "typtext/poi_writer.h"

#include <algorithm>
#include <map>

#include "base/text.h"
#include "typtext/bitmap_library.h"
#include "typtext/colour_code.h"
#include "typtext/element_entry.h"
#include "typtext/poi_icons.h"

namespace kestrel {

namespace {

// Types below 0x2A00 are cities and the like: their own width and a dark frame.
constexpr std::uint64_t kFirstNonCity = 0x2A00;

// The rows of a generated icon depend only on its width and the frame step; they are made once
// per run and copied after that.
using FrameRows = std::map<std::pair<int, int>, std::string>;

// The generated square icon: a one-pixel frame at the sides, top and bottom bands of m + 1 rows
// that grow with each icon (`frameStep`) and start again when the hollow would get too small.
void frameIcon(TypTextDocument& doc, std::string& widthSetting, const std::string& fill,
               const std::string& frame, int& frameStep, FrameRows& made) {
    double width = val(widthSetting);
    if (width > 32) {
        widthSetting = "32";
        width = 32;
    }
    const int w = std::max(1, static_cast<int>(roundHalfEven(width)));
    if (w - frameStep < 0 || w - 2 - 2 * frameStep < 10) frameStep = 0;
    const std::string size = std::to_string(w);
    doc.line("Xpm=\"", size, " ", size, " 2 1\"");
    doc.colour('0', fill);
    doc.colour('1', frame);
    std::string& rows = made[{w, frameStep}];
    if (rows.empty()) {
        const std::string full(static_cast<std::size_t>(w), '1');
        const std::string hollow =
            w >= 2 ? "1" + std::string(static_cast<std::size_t>(w - 2), '0') + "1" : full;
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
std::pair<std::string, std::string> numberBackgrounds(const Settings& settings) {
    const auto& slots = settings.colourSlots;
    return {slots[2] != 0 ? rev(slots[2]) : "CCCCCC", slots[3] != 0 ? rev(slots[3]) : "FFFF00"};
}

} // namespace

void pois(TypTextDocument& doc, Session& session, std::mt19937& rng, UiPort& ui) {
    Settings& settings = session.settings;
    const int mode = settings.kindmode[kPois];
    WrittenTypes written;
    int frameStep = 0;
    FrameRows frameRows;
    // Each icon file is read once per run, however many blocks show it.
    std::map<int, std::string> iconTexts;
    const auto iconText = [&](int icon) -> const std::string& {
        auto it = iconTexts.find(icon);
        if (it == iconTexts.end())
            it = iconTexts.emplace(icon, bmp(session.paths.syspath, icon)).first;
        return it->second;
    };
    const auto backgrounds = numberBackgrounds(settings);

    for (const auto& entry : session.inventory.list(kPois)) {
        ui.yield();
        std::string fill = randomColour(rng);
        bool malformed = false;
        const auto parts = splitEntry(entry, nullptr, malformed);
        if (!parts || !written.first(parts->code)) continue;
        const std::string code = lcase(parts->code);
        const std::string label = parts->rest.empty() ? code : parts->rest;
        const std::string digits = codeDigits(code);
        const std::uint64_t value = hexValue(digits);
        const bool city = value < kFirstNonCity;
        std::string frame = city ? "5B0000" : "B0B0B0";
        int icon = findPoiIcon(code);

        doc.line("[_point]");
        doc.line("Type=0x", digits);
        doc.line("String1=0x0,", label);
        std::string& width = city ? settings.cityPoiWidth : settings.poiWidth;
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
            settings.cityPoiWidth = "32";
            doc.line("Xpm=\"", settings.cityPoiWidth, " ", settings.cityPoiWidth, " 2 1\"");
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
