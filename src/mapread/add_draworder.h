#pragma once
// The draw-order markers that the "Polygon Draworder Attempt" option appends to polygon entries
// after a map has been read.
#include "mapread/type_inventory.h"

namespace kestrel {

// `add_draworder`: appends " (d" + level + ")" to each polygon entry whose level is known, the
// highest map level drawing lowest; "10D01" becomes the map container. Runs only when the option
// is ticked.
void add_draworder(TypeInventory& inventory);

} // namespace kestrel
