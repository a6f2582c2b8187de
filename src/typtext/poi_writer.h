#pragma once
// The "[_point]" blocks.
#include <random>

#include "typtext/typ_text_context.h"
#include "typtext/typ_text_document.h"

namespace kestrel {

// `pois`: appends one block per point type of the inventory, in list order: a ready-made icon
// from the data folder for well-known types, else a generated frame icon (or, by `kindmode`(2),
// the type-number bitmap or a frame coloured by the code). May write the POI widths back (a width
// above 32 becomes 32; the type-number mode sets the city width to 32). A type that already has a
// block gets no second one.
void pois(TypTextDocument& doc, const TypTextContext& context, std::mt19937& rng);

} // namespace kestrel
