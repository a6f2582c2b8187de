#include "app/typ_text_output.h"

namespace kestrel {

TypTextContext typTextWriting(Session& session, UiPort& ui) {
    const Settings& s = session.settings;
    const TypTextStyle style{s.kindsel, s.kindmode, s.colourSlots, s.include4b4a};
    return {session.map.inventory, session.map.fields, style, session.settings.poiWidths,
            session.paths.syspath, session.ver,        ui};
}

CreateTxtResult createTypText(Session& session, UiPort& ui, Launcher& launcher, std::mt19937& rng,
                              const std::function<bool(std::string& typfile)>& fileNameWindow,
                              bool editorIcon) {
    Settings& s = session.settings;
    const TypTextTarget target{s.typfile, session.txtdone, s.tinkerPath, session.paths.apppath,
                               editorIcon};
    const CreateTxtResult r =
        createtxt(typTextWriting(session, ui), s.codepage, target, launcher, rng, fileNameWindow);
    if (r.status == CreateTxtStatus::Written) session.txtmap = session.map.mapfile;
    return r;
}

} // namespace kestrel
