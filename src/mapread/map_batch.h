#pragma once
// The three ways maps get into the inventory: a File > Open batch, a recent-list item and a drop.
// The window disables its buttons and shows its progress frame around these calls and refreshes
// its lists, labels and fields from the map state afterwards. Each returns the map that heads the
// recent list now, when one was read; the recent list itself is the caller's.
#include <optional>
#include <string>
#include <vector>

#include "mapread/map_read_context.h"

namespace kestrel {

// File > Open takes names (lower-cased) without any ".", or with ".img" or ".gmp" anywhere.
bool acceptedMapName(const std::string& lowered);

// Resets the inventory and the reader's per-batch state (File > Open step 4 without the window);
// no map is the current one until a file of the batch gives something. In every load, a file
// that gives nothing never becomes the current map.
void resetForBatch(MapState& map, UiPort& ui);

// File > Open steps 3 to 6 for the paths the selection window returned, in order.
std::optional<std::string> openBatch(const MapReadContext& context,
                                     const std::vector<std::string>& paths);

// A recent-list item: loads one file (no extension check, `mapfile` set to the path as given).
// Returns nothing when nothing happened (empty path, "*", missing file).
std::optional<std::string> loadRecent(const MapReadContext& context, const std::string& path);

// `loadole`: loads dropped files given as one text (each name followed by CR LF when dropped on a
// list; a single name when dropped on the window).
std::optional<std::string> loadole(const MapReadContext& context, const std::string& names);

// File > New: clears the inventory and the reader state.
void fileNew(MapState& map);

} // namespace kestrel
