#include "app/editor_launch.h"

#include <string>
#include <vector>

#include "app/messages.h"
#include "base/drives.h"
#include "base/paths.h"
#include "base/text.h"

namespace kestrel {
namespace {

bool editorPresent(const std::string& configured, UiPort& ui, bool report) {
    const std::string path = trim(configured);
    return !path.empty() && safeExists(path, report, ui);
}

} // namespace

bool chktnk(const Settings& settings, UiPort& ui, bool report) {
    return editorPresent(settings.tinkerPath, ui, report);
}

bool chktdb(const Settings& settings, UiPort& ui, bool report) {
    return editorPresent(settings.tdbEditorPath, ui, report);
}

void editCurrentFile(const Settings& settings, bool txtdone, const std::string& apppath, UiPort& ui,
                     Launcher& launcher) {
    if (!chktnk(settings, ui, true)) {
        ui.message(std::string(kLocateTinker));
        return;
    }
    if (!txtdone) {
        const bool found = fileExists(settings.typfile);
        const std::string_view question = found ? kFoundOtherSession : kCreateFirst;
        if (ui.ask(std::string(question), Buttons::YesNo) != Answer::Yes) return;
    }
    launcher.start(trim(settings.tinkerPath), {settings.typfile}, apppath);
}

void launchTdbEditor(const Settings& settings, const std::string& tdbFile,
                     const std::string& apppath, UiPort& ui, Launcher& launcher) {
    if (!chktdb(settings, ui, true)) {
        ui.message(std::string(kLocateTdbEditor));
        return;
    }
    // Without a TDB file the editor starts empty rather than on an empty argument.
    std::vector<std::string> args;
    if (!tdbFile.empty()) args.push_back(tdbFile);
    launcher.start(trim(settings.tdbEditorPath), args, apppath);
}

} // namespace kestrel
