// `kestrel-cli typ`: reads maps like `scan` and writes the TYP source text for them, with the
// settings of the state file and the checks and messages of "Create TYP file".
#include <cstdio>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "app/session.h"
#include "app/startup.h"
#include "app/state_file.h"
#include "app/typ_text_output.h"
#include "base/files.h"
#include "base/paths.h"
#include "base/platform/platform.h"
#include "base/text.h"
#include "cli/cli_ui.h"
#include "cli/commands.h"
#include "cli/map_options.h"
#include "cli/messages.h"
#include "cli/no_launcher.h"

namespace kestrel::cli {
namespace {

struct TypOptions {
    MapOptions read;
    std::optional<std::string> fid, product, codepage, kinds, state, out;
    std::optional<std::uint32_t> seed;
    std::vector<std::string> maps;
};

bool parseSeed(const std::string& text, std::optional<std::uint32_t>& seed) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) return false;
    seed = static_cast<std::uint32_t>(std::stoull(text.substr(0, 18)));
    return true;
}

bool parse(const Args& args, TypOptions& o) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const OptionTaken taken = takeMapOption(args, i, o.read);
        if (taken == OptionTaken::MissingValue) return false;
        if (taken == OptionTaken::Yes) continue;
        const std::string& a = args[i];
        std::optional<std::string>* value = a == "--fid"        ? &o.fid
                                            : a == "--product"  ? &o.product
                                            : a == "--codepage" ? &o.codepage
                                            : a == "--kinds"    ? &o.kinds
                                            : a == "--state"    ? &o.state
                                            : a == "-o"         ? &o.out
                                                                : nullptr;
        if (value != nullptr || a == "--seed") {
            if (++i == args.size()) return false;
            if (value != nullptr)
                *value = args[i];
            else if (!parseSeed(args[i], o.seed))
                return false;
        } else if (unknownOption(a)) {
            return false;
        } else {
            o.maps = mapsFrom(args, i);
            break;
        }
    }
    return !o.maps.empty() && o.out && !o.out->empty();
}

// "polygons,lines" -> kindsel {true, true, false}; nothing for an unknown kind.
std::optional<std::array<bool, 3>> kindSelection(const std::string& list) {
    std::array<bool, 3> sel{};
    for (const std::string& k : split(list, ",")) {
        const std::string name = trim(k);
        if (name == "polygons")
            sel[kPolygons] = true;
        else if (name == "lines")
            sel[kLines] = true;
        else if (name == "pois")
            sel[kPois] = true;
        else
            return std::nullopt;
    }
    return sel;
}

} // namespace

int typ(const Args& args) {
    TypOptions o;
    std::optional<std::array<bool, 3>> kinds;
    if (!parse(args, o) || (o.kinds && !(kinds = kindSelection(*o.kinds)))) {
        printText(stderr, kTypUsage);
        return 2;
    }
    Session session;
    startup(session, platform::programFolder(), KESTREL_INSTALL_DATADIR);
    if (o.state) {
        if (!fileExists(*o.state)) {
            printLine(stderr, noStateFile(*o.state));
            return 2;
        }
        session.settings = Settings{};
        loaddata(*o.state, session.settings);
    }
    if (!o.read.dataDir.empty()) session.paths.syspath = o.read.dataDir;
    CliUiPort ui;
    readMaps(session, ui, o.read, o.maps);
    if (session.map.container.filesRead == 0) return 1;

    if (o.fid) session.map.fields.fid = *o.fid;
    if (o.product) session.map.fields.productCode = *o.product;
    if (o.codepage) session.settings.codepage = CodePage(*o.codepage);
    if (kinds) session.settings.kindsel = *kinds;
    session.settings.typfile = *o.out;
    std::mt19937 rng(o.seed ? *o.seed : std::random_device{}());
    NoLauncher launcher;
    session.settings.tinkerPath.clear();
    const CreateTxtResult r = createTypText(session, ui, launcher, rng, nullptr, false);
    switch (r.status) {
    case CreateTxtStatus::Written:
        return 0;
    case CreateTxtStatus::InvalidCodepage:
    case CreateTxtStatus::InvalidFid:
        return 2;
    default:
        return 1;
    }
}

} // namespace kestrel::cli
