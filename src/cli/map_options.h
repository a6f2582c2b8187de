#pragma once
// The options of the commands that read maps as one File > Open batch (`scan`, `typ`), and the
// reading itself.
#include <string>
#include <vector>

#include "app/session.h"
#include "cli/cli_ui.h"
#include "cli/options.h"

namespace kestrel::cli {

struct MapOptions {
    bool highways = false;
    bool complete = false;
    bool draworder = false, noDraworder = false; // neither: as the settings say
    std::string dataDir; // the name/style texts and icons; default `syspath`
    std::vector<std::string> maps;
};

// --highways, --complete, --draworder, --no-draworder, --data and the maps.
void addMapOptions(CLI::App& app, MapOptions& o);

// The session as the desktop program starts it: the program's folders, the data installed with
// it, the state file's settings.
void startSession(Session& session);

// Applies the options over the session's settings, loads the name/style texts with the POI label
// table (a note names a data folder without the name texts), and reads the maps as one batch. Each
// map that could not be read is named on stderr with the reason, and the others are read. kDone
// when every map was read, kFailed when none was, kSomeSkipped otherwise.
int readMaps(Session& session, CliUiPort& ui, const MapOptions& o);

} // namespace kestrel::cli
