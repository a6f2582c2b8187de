#pragma once
// What a map uses, for a legend beside it: the complete scan's types per kind with their number of
// objects. Reads the map whole, as "Complete scan" does.
#include <array>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "base/uiport.h"
#include "mapread/type_tally.h"
#include "mapread/unreadable.h"
#include "typfile/elements.h"

namespace kestrel::legend {

struct MapUse {
    std::array<std::vector<TypeCount>, kObjectKinds> kinds; // by ObjectKind, first sight first
    bool incomplete = false; // decoding stopped somewhere, or an NT tile could not be decoded
};

std::variant<MapUse, Unreadable> readMapUse(const std::string& path, UiPort& ui);

// A type of the complete scan (extended 0x1TTSS, standard polygons and lines 0xTT00, standard
// points 0xTTSS) as a TYP element's code.
typ::ElementCode elementCode(std::uint32_t scanCode);

} // namespace kestrel::legend
