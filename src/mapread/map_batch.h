#pragma once
// The three ways maps get into the inventory: a File > Open batch, a recent-list item and a drop.
// The window disables its buttons and shows its progress frame around these calls and refreshes
// its lists, labels and fields from the session afterwards.
#include <string>
#include <vector>

#include "app/session.h"
#include "base/uiport.h"

namespace kestrel {

// Resets the inventory and the reader's per-batch state (File > Open step 4 without the window).
void resetForBatch(Session& session, UiPort& ui);

// File > Open steps 3 to 6 for the paths the selection window returned, in order.
void openBatch(Session& session, UiPort& ui, const std::vector<std::string>& paths);

// A recent-list item: loads one file (no extension check, `lastdir`/`mapfile` unchanged).
// Returns false when nothing happened (empty path, "*", missing file).
bool loadRecent(Session& session, UiPort& ui, const std::string& path);

// `loadole`: loads dropped files given as one text (each name followed by CR LF when dropped on a
// list; a single name when dropped on the window).
void loadole(Session& session, UiPort& ui, const std::string& names);

// File > New: clears the inventory and the reader state.
void fileNew(Session& session);

} // namespace kestrel
