#pragma once
// The two external editors: the TYP editor `Tinker` for the TYP text just written, and a TDB
// editor for the map family's TDB file. Their paths come from the settings window.
#include "app/settings.h"
#include "base/launcher.h"
#include "base/uiport.h"

namespace kestrel {

// `chktnk` / `chktdb`: the configured path, blanks trimmed, is not empty and names an existing
// file (drive messages only when `report` is true).
bool chktnk(const Settings& settings, UiPort& ui, bool report);
bool chktdb(const Settings& settings, UiPort& ui, bool report);

// "Edit Current File": starts `Tinker` on `typfile` in the program folder `apppath`, asking
// first when no TYP text was written in this run (`txtdone`).
void editCurrentFile(const Settings& settings, bool txtdone, const std::string& apppath, UiPort& ui,
                     Launcher& launcher);

// "Launch TDB Editor": starts the TDB editor on the current map's TDB file (none when empty).
void launchTdbEditor(const Settings& settings, const std::string& tdbFile,
                     const std::string& apppath, UiPort& ui, Launcher& launcher);

} // namespace kestrel
