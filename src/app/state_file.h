#pragma once
// The state file "kestrel.dat": one value per CR LF-separated line.
#include <string>

#include "app/settings.h"

namespace kestrel {

// `loaddata`: reads the file into the settings; every line that cannot be read keeps the value
// the settings already hold. Returns false when the file does not exist.
bool loaddata(const std::string& statefile, Settings& settings);

// `savedata`: writes every line, atomically. Returns false when the file could not be written.
bool savedata(const std::string& statefile, const Settings& settings);

} // namespace kestrel
