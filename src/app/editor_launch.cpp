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

bool startTinker(const Session& session, Launcher& launcher) {
    return launcher.start(trim(session.settings.tinkerPath), {session.settings.typfile},
                          session.paths.apppath);
}

void editCurrentFile(const Session& session, UiPort& ui, Launcher& launcher) {
    if (!chktnk(session.settings, ui, true)) {
        ui.message(std::string(shellmsg::kLocateTinker));
        return;
    }
    if (!session.txtdone) {
        const bool found = fileExists(session.settings.typfile);
        const std::string_view question =
            found ? shellmsg::kFoundOtherSession : shellmsg::kCreateFirst;
        if (ui.ask(std::string(question), Buttons::YesNo) != Answer::Yes) return;
    }
    startTinker(session, launcher);
}

void launchTdbEditor(const Session& session, UiPort& ui, Launcher& launcher) {
    if (!chktdb(session.settings, ui, true)) {
        ui.message(std::string(shellmsg::kLocateTdbEditor));
        return;
    }
    // Without a TDB file the editor starts empty rather than on an empty argument.
    std::vector<std::string> args;
    if (!session.fields.tdbFile.empty()) args.push_back(session.fields.tdbFile);
    launcher.start(trim(session.settings.tdbEditorPath), args, session.paths.apppath);
}

} // namespace kestrel
