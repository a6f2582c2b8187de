#pragma once
// `createtxt`: the TYP source text for the inventory, written in one piece.
#include <functional>
#include <random>
#include <string>

#include "app/session.h"
#include "base/launcher.h"
#include "base/uiport.h"
#include "typtext/typ_text_document.h"

namespace kestrel {

enum class CreateTxtStatus {
    Written,         // the file is complete on disk
    InvalidCodepage, // refused before anything was asked or written
    InvalidFid,
    Cancelled,    // the file-name window was cancelled
    DriveMissing, // the target's volume is not there
    CannotCreate, // the file could not be written; any old file is untouched
};

struct CreateTxtResult {
    CreateTxtStatus status;
    std::string typfile; // the file written (or meant to be)
};

// The code pages the "Codepage" box offers.
bool isOfferedCodepage(const std::string& codepage);

// The whole text for the session's inventory and settings: identification, then, by `kindsel`,
// the draw order with the polygons, the lines and the points. Uses the session's settings, field
// values and inventory as they are (the checks of `createtxt` are not made here); may add the
// background polygons to the inventory and write the POI width settings back.
TypTextDocument buildTypText(Session& session, const std::string& codepage, std::mt19937& rng,
                             UiPort& ui);

// `createtxt`(ask): checks the code page and the family ID, asks for the file name when `ask`
// (the window returns false on Cancel and may change the name), builds the text, writes it beside
// `settings.typfile` and renames it over the old file when complete, then starts the TYP editor
// (settings.tinkerPath) on it, or reports it and opens it with the default handler. `editorIcon`
// tells whether the main window shows its "Edit Current File" icon.
CreateTxtResult createtxt(Session& session, UiPort& ui, Launcher& launcher, std::mt19937& rng,
                          bool ask, const std::function<bool(std::string& typfile)>& fileNameWindow,
                          bool editorIcon);

} // namespace kestrel
