#pragma once
// The complete scan's types as inventory records: one entry per type and kind in order of first
// sight, in the forms the lists use (extended 0x1TTSS, standard polygons and lines 0xTT00,
// standard POIs 0xTTSS), each with its number of objects and map levels.
#include <vector>

#include "base/uiport.h"
#include "mapread/complete_scan.h"
#include "mapread/map_buffer.h"
#include "mapread/tre_header.h"
#include "mapread/type_inventory.h"

namespace kestrel {

// The map levels of the objects, lowest first.
std::vector<unsigned> levelNumbers(const ObjectCount& objects);

// Adds the result's types to the inventory; a type an earlier map of the batch listed gets its
// count and levels added instead. A polygon takes the level that `overview` (the TRE overviews'
// polygon entries) gives its type, which the draw order reads.
void addCompleteTypes(TypeInventory& inv, const CompleteResult& result,
                      const std::vector<InventoryEntry>& overview);

// Lists the complete scan's result of the map in the buffer (key set) in the inventory, with the
// polygon levels of its TRE overviews as the overview reading notes them. Where decoding stopped
// is shown in one message. Returns false, having listed nothing, for an NT map that must be read
// the overview way.
bool readComplete(const MapBuffer& buf, const TreHeader& tre, const CompleteResult& result,
                  TypeInventory& inv, UiPort& ui);

} // namespace kestrel
