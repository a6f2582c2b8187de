#pragma once
// The session's map loads: the reader's part of the session and its options, and what the session
// keeps about each load (the recent list, the last folder, the batch flag).
#include <string>
#include <vector>

#include "app/session.h"
#include "mapread/map_read_context.h"

namespace kestrel {

MapReadContext mapReading(Session& session, UiPort& ui);

// File > Open with the paths the selection window returned.
void openMaps(Session& session, UiPort& ui, const std::vector<std::string>& paths);
// A recent-list item; false when nothing happened.
bool openRecentMap(Session& session, UiPort& ui, const std::string& path);
// Files dropped on the window or a list (`loadole`).
void dropMaps(Session& session, UiPort& ui, const std::string& names);
// Maps named on the command line (a file manager's "Open with") load like files dropped on a list;
// those that cannot be read are named, with the reason, in one message and stay off the recent
// list. A long list names the first 15 and how many more, with the whole list in its details.
void openNamedMaps(Session& session, UiPort& ui, const std::vector<std::string>& paths);

} // namespace kestrel
