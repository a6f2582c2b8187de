#include "cli/map_options.h"

#include "app/map_loads.h"
#include "mapread/style_texts.h"

namespace kestrel::cli {

OptionTaken takeMapOption(const Args& args, std::size_t& i, MapOptions& o) {
    const std::string& a = args[i];
    if (a == "--highways") {
        o.highways = true;
    } else if (a == "--complete") {
        o.complete = true;
    } else if (a == "--draworder") {
        o.draworder = 1;
    } else if (a == "--no-draworder") {
        o.draworder = 0;
    } else if (a == "--data") {
        if (++i == args.size()) return OptionTaken::MissingValue;
        o.dataDir = args[i];
    } else {
        return OptionTaken::No;
    }
    return OptionTaken::Yes;
}

bool unknownOption(const std::string& arg) {
    return arg.size() > 1 && arg[0] == '-' && arg != "--";
}

std::vector<std::string> mapsFrom(const Args& args, std::size_t i) {
    if (i < args.size() && args[i] == "--") ++i;
    return {args.begin() + static_cast<std::ptrdiff_t>(i), args.end()};
}

void readMaps(Session& session, UiPort& ui, const MapOptions& o,
              const std::vector<std::string>& maps) {
    session.highways = o.highways;
    if (o.draworder >= 0) session.settings.draworder = o.draworder == 1;
    session.settings.completeScan = o.complete;
    StyleTexts texts = loadStyleTexts(o.dataDir.empty() ? session.paths.syspath : o.dataDir);
    a_n_p(texts);
    session.styletxt = texts;
    openMaps(session, ui, maps);
}

} // namespace kestrel::cli
