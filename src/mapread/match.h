#pragma once
// Labels inventory entries from the name/style texts.
#include "base/error_log.h"
#include "mapread/label_index.h"
#include "mapread/type_inventory.h"

namespace kestrel {

// `match` with slot a (0 to 5): labels the entries of list (a mod 3) from the table of slot a.
void match(TypeInventory& inventory, LabelTables& tables, int slot, ErrorLog& errors);

} // namespace kestrel
