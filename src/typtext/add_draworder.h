#pragma once
// The draw-order markers that the "Polygon Draworder Attempt" option appends to polygon entries
// after a map has been read.
#include "app/session.h"

namespace kestrel {

// `add_draworder`: when the option is ticked, appends " (d" + level + ")" to each polygon entry
// whose level is known, the highest map level drawing lowest; "10D01" becomes the map container.
void add_draworder(Session& session);

} // namespace kestrel
