#pragma once
// The three overview scans of the TRE subfile and the "Highways+" line defaults.
#include "base/uiport.h"
#include "mapread/map_buffer.h"
#include "mapread/tre_header.h"
#include "mapread/type_inventory.h"

namespace kestrel {

// Lines "0xTT00 " from the line overview. Ends early on a stop request.
void scanLineOverview(const MapBuffer& buf, const Overview& ov, TypeInventory& inv, UiPort& ui);
// "0x01" to "0x0F", "0x14", "0x1F" where the line overview did not list them.
void addHighwayDefaults(TypeInventory& inv);
// Polygons "0xTT00" with their levels, while the polygon list holds fewer than 300 entries.
void scanPolygonOverview(const MapBuffer& buf, const Overview& ov, TypeInventory& inv, UiPort& ui);
// Extended lines, polygons and points, split by the header's three counts. Ends early on a stop
// request.
void scanExtendedOverview(const MapBuffer& buf, const TreHeader& h, TypeInventory& inv, UiPort& ui);

} // namespace kestrel
