#pragma once
// The "[_polygon]" blocks.
#include <random>

#include "typtext/typ_text_context.h"
#include "typtext/typ_text_document.h"

namespace kestrel {

// `chkpolstoadd`: adds the background polygon types the map lacks (0x4B00 and 0x4A00; for an NT
// map the extended codes 10802, 10B08, 10A01, 1090C).
void chkpolstoadd(TypeInventory& inventory, bool ntMap);

// `polygons`: runs `chkpolstoadd` when the "Include 4B,4A Polygons" option is on, then appends one
// block per polygon type of the inventory, in list order, styled by `kindmode`(0). A type that
// already has a block gets no second one.
void polygons(TypTextDocument& doc, const TypTextContext& context, std::mt19937& rng);

} // namespace kestrel
