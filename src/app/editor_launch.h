#pragma once
// The two external editors: the TYP editor `Tinker` for the TYP text just written, and a TDB
// editor for the map family's TDB file. Their paths come from the settings window.
#include "app/session.h"
#include "base/launcher.h"
#include "base/uiport.h"

namespace kestrel {

// `chktnk` / `chktdb`: the configured path, blanks trimmed, is not empty and names an existing
// file (drive messages only when `report` is true).
bool chktnk(const Settings& settings, UiPort& ui, bool report);
bool chktdb(const Settings& settings, UiPort& ui, bool report);

// Starts `Tinker` on `typfile` without asking, working folder the program folder.
bool startTinker(const Session& session, Launcher& launcher);

// "Edit Current File": starts `Tinker` on `typfile`, asking first when no TYP text was written
// in this run.
void editCurrentFile(const Session& session, UiPort& ui, Launcher& launcher);

// "Launch TDB Editor": starts the TDB editor on the current map's TDB file.
void launchTdbEditor(const Session& session, UiPort& ui, Launcher& launcher);

} // namespace kestrel
