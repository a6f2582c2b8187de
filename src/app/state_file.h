#pragma once
// The state file "kestrel.dat": one value per CR LF-separated line.
#include <string>
#include <string_view>

#include "app/settings.h"

namespace kestrel {

// `loaddata`: reads the file into the settings; every line that cannot be read keeps the value
// the settings already hold. Returns false when the file does not exist.
bool loaddata(const std::string& statefile, Settings& settings);

// Whether the bytes may be a state file, before they are read as one: text (no control characters
// but tab, CR and LF) of at least as many lines as the oldest layout has. Refuses a device's zeros
// and random bytes named in its place.
bool isStateText(std::string_view text);

// `savedata`: writes every line, atomically. Returns false when the file could not be written.
bool savedata(const std::string& statefile, const Settings& settings);

} // namespace kestrel
