#include "app/startup.h"

#include "app/messages.h"
#include "app/state_file.h"
#include "base/paths.h"
#include "mapread/style_texts.h"

namespace kestrel {
namespace {

constexpr int kDefaultPoiWidth = 16;
constexpr std::size_t kShortestTypfile = 6;

void widthAtLeastOne(int& width) {
    if (width < 1) width = kDefaultPoiWidth;
}

} // namespace

std::string installedDataFolder(const std::string& apppath, const std::string& configured) {
    const std::string beside = joinPath(folderOf(apppath, apppath), "share/kestrel/system");
    if (folderExists(beside)) return beside;
    const std::string own = joinPath(apppath, "system");
    return folderExists(own) ? own : configured;
}

void startup(Session& session, const std::string& apppath, const std::string& installedData) {
    Settings& s = session.settings;
    // Folders and the state file's place; the sample map heads the recent list.
    session.paths = AppPaths::resolve(apppath, installedData);
    s.variousIcons = false;
    s.include4b4a = true;
    makeFolders(session.paths.syspath);
    s.recent = {};
    s.recent[0] = session.paths.sampleMap;
    // Style modes, kinds and colours.
    s.kindmode = {kModeTypeOnBmp, kModeColorPicker, kModeTypeOnBmp};
    s.kindsel = {true, true, true};
    s.colourSlots = kDefaultColourSlots;
    // The state file may overwrite all of it.
    if (fileExists(session.paths.statefile)) loaddata(session.paths.statefile, s);
    // POI widths below 1 fall back to the default width.
    widthAtLeastOne(s.poiWidths.poi);
    widthAtLeastOne(s.poiWidths.city);
    session.ver = kVersion;
    // The name and label texts, then the POI label catalogue.
    session.styletxt = loadStyleTexts(session.paths.syspath);
    a_n_p(session.styletxt);
    // TYP texts go to the user's folder unless the state file names one.
    if (s.typfile.size() < kShortestTypfile)
        s.typfile = joinPath(session.paths.userdir, kDefaultTypTextName);
}

} // namespace kestrel
