#include "mapread/complete_inventory.h"

#include <algorithm>
#include <string>

#include "mapread/tre_overview.h"

namespace kestrel {
namespace {

TypeCode codeOf(std::uint32_t code) {
    return TypeCode(code, code > 0xFFFF ? CodeDigits::Extended : CodeDigits::Standard);
}

std::optional<LevelNote> overviewLevel(const TypeCode& code,
                                       const std::vector<InventoryEntry>& overview) {
    for (const InventoryEntry& e : overview)
        if (e.code.value == code.value && e.levelNote) return LevelNote{code, e.levelNote->level};
    return std::nullopt;
}

// The notes of one map as one message, a line each (CR LF between, as the other messages have
// it); a stop the user asked for needs none.
std::string notesText(const std::vector<DecodeNote>& notes) {
    std::string text;
    for (const DecodeNote& n : notes)
        if (n.why != DecodeStop::Stopped) text += (text.empty() ? "" : "\r\n") + describe(n);
    return text;
}

} // namespace

std::vector<unsigned> levelNumbers(const ObjectCount& objects) {
    std::vector<unsigned> out;
    for (unsigned n = 0; n < kUnknownLevel; ++n)
        if (objects.levels >> n & 1) out.push_back(n);
    return out;
}

void addCompleteTypes(TypeInventory& inv, const CompleteResult& result,
                      const std::vector<InventoryEntry>& overview) {
    for (int kind : {kPolygons, kLines, kPois}) {
        std::vector<InventoryEntry>& list = inv.list(kind);
        for (const TypeCount& c : result.kinds[static_cast<std::size_t>(kind)]) {
            const TypeCode code = codeOf(c.code);
            auto e = std::find_if(list.begin(), list.end(), [&](const InventoryEntry& e) {
                return e.origin == Origin::CompleteScan && e.code.value == code.value;
            });
            if (e == list.end()) {
                list.emplace_back(code, Origin::CompleteScan,
                                  kind == kPolygons ? overviewLevel(code, overview) : std::nullopt);
                e = std::prev(list.end());
                e->objects = ObjectCount{};
            }
            e->objects->count += c.count;
            e->objects->levels |= c.levels;
        }
    }
}

bool readComplete(const MapBuffer& buf, const TreHeader& tre, const CompleteResult& result,
                  TypeInventory& inv, UiPort& ui) {
    if (const std::string notes = notesText(result.notes); !notes.empty()) ui.message(notes);
    if (result.ntFallback) return false;
    // The overviews run on their own inventory: only the polygon levels are taken over.
    TypeInventory overview;
    overview.polylevels = inv.polylevels;
    overview.maxlevel = inv.maxlevel;
    scanPolygonOverview(buf, tre.polygons, overview, ui);
    scanExtendedOverview(buf, tre, overview, ui);
    inv.polylevels = overview.polylevels;
    inv.maxlevel = overview.maxlevel;
    addCompleteTypes(inv, result, overview.list(kPolygons));
    return true;
}

} // namespace kestrel
