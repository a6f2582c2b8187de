#pragma once
// The program's start-up, before the main window shows anything: folders, defaults, the state
// file, the style texts. The window then arranges its icons, lists and boxes from the session.
#include <string>

#include "app/session.h"

namespace kestrel {

// The data installed with a program living in `apppath`: <prefix>/share/kestrel/system beside its
// <prefix>/bin when that exists (so an installed tree may be moved); else the program folder's own
// system/ (a build tree or an unpacked archive that this user may not write: the run counts as
// installed, and its data comes from there); else `configured`.
std::string installedDataFolder(const std::string& apppath, const std::string& configured);

// The start-up work that needs no window, for a program living in `apppath` whose installed data
// folder is `installedData`: folders, defaults, the state file, POI widths, the style texts and the
// TYP text's default name. Leaves every default in place for what the state file does not say.
void startup(Session& session, const std::string& apppath, const std::string& installedData);

} // namespace kestrel
