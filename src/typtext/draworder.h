#pragma once
// The "[_drawOrder]" section: one line per polygon type that has a draw level.
#include "mapread/type_inventory.h"
#include "typtext/typ_text_document.h"

namespace kestrel {

// `draworder`: appends the section for the polygon list as one chunk. A level comes from the
// subtype digits of a four-digit code or from the entry's first " (dN)" marker; an entry with
// neither gets no line, and an entry whose type already has a line gets none either. The
// background (0x4B00) is written at level 0 alone, the other levels raised by one if one is 0.
void draworder(TypTextDocument& doc, const TypeInventory& inventory);

} // namespace kestrel
