#pragma once
// The options of the commands that read maps as one File > Open batch (`scan`, `typ`), and the
// reading itself.
#include <string>
#include <vector>

#include "app/session.h"
#include "base/uiport.h"
#include "cli/commands.h"

namespace kestrel::cli {

struct MapOptions {
    bool highways = false; // --highways
    bool complete = false; // --complete
    int draworder = -1;    // --draworder 1, --no-draworder 0, -1: as the settings say
    std::string dataDir;   // --data DIR: the name/style texts and icons; default `syspath`
};

enum class OptionTaken { No, Yes, MissingValue };

// Takes args[i] (and its value, advancing i) when it is one of the map options.
OptionTaken takeMapOption(const Args& args, std::size_t& i, MapOptions& o);

// An argument that looks like an option but is none of the command's.
bool unknownOption(const std::string& arg);

// The maps named from args[i] on; a "--" there ends the options.
std::vector<std::string> mapsFrom(const Args& args, std::size_t i);

// Applies the options over the session's settings, loads the name/style texts with the POI label
// table, and reads the maps as one batch.
void readMaps(Session& session, UiPort& ui, const MapOptions& o,
              const std::vector<std::string>& maps);

} // namespace kestrel::cli
