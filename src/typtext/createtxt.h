#pragma once
// `createtxt`: the TYP source text for the inventory, written in one piece.
#include <functional>
#include <optional>
#include <random>
#include <string>

#include "base/code_page.h"
#include "base/launcher.h"
#include "typtext/typ_text_context.h"
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

// Where the text goes and what follows once it is written.
struct TypTextTarget {
    std::string& typfile;    // `typfile`; the file-name window may change it
    bool& txtdone;           // set once the file is complete, cleared when writing it failed
    std::string editor;      // the TYP editor `Tinker`; empty when none is configured
    std::string workdir;     // where the editor or the default handler starts
    bool editorIcon = false; // the main window shows its "Edit Current File" icon
};

// The whole text for the inventory and the style: identification (naming `codepage`), then, by
// `kinds`, the draw order with the polygons, the lines and the points. Uses the field values and
// the inventory as they are (the checks of `createtxt` are not made here); may add the background
// polygons to the inventory and write the POI widths back.
TypTextDocument buildTypText(const TypTextContext& context, const std::string& codepage,
                             std::mt19937& rng);

enum class TypTextRefusal {
    InvalidCodepage, // not one of the code pages offered
    InvalidFid,      // the family ID field's value is not from 1 to 65000
};
// The checks `createtxt` makes before anything is asked or written.
std::optional<TypTextRefusal> checkTypText(const MapFields& fields, const CodePage& codepage);

// `createtxt`: checks the code page and the family ID, asks for the file name when there is a
// `fileNameWindow` (it returns false on Cancel and may change the name), builds the text, writes
// it beside `typfile` and renames it over the old file when complete, then starts the TYP editor
// on it, or reports it and opens it with the default handler.
CreateTxtResult createtxt(const TypTextContext& context, const CodePage& codepage,
                          const TypTextTarget& target, Launcher& launcher, std::mt19937& rng,
                          const std::function<bool(std::string& typfile)>& fileNameWindow);

} // namespace kestrel
