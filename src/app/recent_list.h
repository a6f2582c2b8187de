#pragma once
#include <array>
#include <string>

namespace kestrel {

// `updatmf`: moves or inserts the name at the top of the seven recent items (File items 10 to
// 16, most recent first). Exact comparison; a new name drops the old last item.
void updatmf(std::array<std::string, 7>& items, const std::string& name);

} // namespace kestrel
