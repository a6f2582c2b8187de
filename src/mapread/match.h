#pragma once
// Labels inventory entries from the name/style texts.
#include "base/error_log.h"
#include "mapread/style_texts.h"
#include "mapread/type_inventory.h"

namespace kestrel {

// `match` with slot a (0 to 5): labels the entries of list (a mod 3) from styletxt[a].
void match(TypeInventory& inventory, const StyleTexts& styletxt, int slot, ErrorLog& errors);

} // namespace kestrel
