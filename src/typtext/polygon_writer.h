#pragma once
// The "[_polygon]" blocks.
#include <random>

#include "app/session.h"
#include "base/uiport.h"
#include "typtext/typ_text_document.h"

namespace kestrel {

// `chkpolstoadd`: with the "Include 4B,4A Polygons" option on, adds the background polygon types
// the map lacks (0x4B00 and 0x4A00; for an NT map the extended codes 10802, 10B08, 10A01, 1090C).
void chkpolstoadd(Session& session);

// `polygons`: runs `chkpolstoadd`, then appends one block per polygon type of the inventory, in
// list order, styled by `kindmode`(0). Entries that are not type codes are logged ("pgn:") and
// skipped; a type that already has a block gets no second one.
void polygons(TypTextDocument& doc, Session& session, std::mt19937& rng, UiPort& ui);

} // namespace kestrel
