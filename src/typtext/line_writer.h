#pragma once
// The "[_line]" blocks.
#include <random>

#include "typtext/typ_text_context.h"
#include "typtext/typ_text_document.h"

namespace kestrel {

// `polylines`: appends one block per line type of the inventory, in list order. Known types get
// their catalogue style; with `kindmode`(1) "Color Picker" types above 0x2F are coloured by their
// code. Entries that are not type codes are logged ("polln:") and skipped; a type that already
// has a block gets no second one.
void polylines(TypTextDocument& doc, const TypTextContext& context, std::mt19937& rng);

} // namespace kestrel
