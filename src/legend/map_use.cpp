#include "legend/map_use.h"

#include "mapread/complete_scan.h"
#include "mapread/map_buffer.h"

namespace kestrel::legend {

std::variant<MapUse, Unreadable> readMapUse(const std::string& path, UiPort& ui) {
    MapBuffer buf;
    if (auto why = buf.open(path)) return std::move(*why);
    buf.setKey(buf.rawFirstByte());
    CompleteResult result = CompleteScan::run(buf, ui);
    if (result.kinds[0].empty() && result.kinds[1].empty() && result.kinds[2].empty() &&
        result.notes.empty())
        return Unreadable{UnreadableReason::NoMapData, {}};
    return MapUse{std::move(result.kinds), result.ntFallback || !result.notes.empty()};
}

typ::ElementCode elementCode(std::uint32_t scanCode) {
    const auto type = static_cast<std::uint16_t>(scanCode >> 8 & 0xFF);
    const auto subtype = static_cast<std::uint8_t>(scanCode & 0xFF);
    if (scanCode >= 0x10000) return {static_cast<std::uint16_t>(0x100 | type), subtype};
    return {type, subtype};
}

} // namespace kestrel::legend
