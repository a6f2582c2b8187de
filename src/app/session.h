#pragma once
// Everything the program keeps while it runs, owned in one place (the main window, the command
// line or a test). The operations of the subsystems take only the parts they use; the session is
// taken apart for them here in app/ and in the command line.
#include <optional>
#include <string>

#include "app/settings.h"
#include "base/app_paths.h"
#include "base/error_log.h"
#include "mapread/map_state.h"
#include "mapread/style_texts.h"
#include "typbin/section_slots.h"
#include "typfile/typ_file.h"

namespace kestrel {

inline constexpr float kVersion = 5.1f;

struct Session {
    AppPaths paths;
    Settings settings;
    ErrorLog errors;
    StyleTexts styletxt{}; // the six name/style texts, as loaded
    MapState map;          // what the last batch of maps gave: inventory, fields, current map
    bool highways = false; // "Highways+" box
    bool busy = false;     // a File > Open batch is running
    bool txtdone = false;  // a TYP text was written in this run
    std::string txtmap;    // the first map of the batch that text was written for
    float ver = kVersion;
    TypSectionSlots typSlots; // sections of the extra POI file kept between generator runs
    // The TYP last written (and previewed) or opened: the type lists show its swatches.
    std::optional<typ::TypFile> styledTyp;
};

} // namespace kestrel
