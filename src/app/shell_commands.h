#pragma once
// What the main window's commands decide, apart from the window: the kind checks before a TYP
// text is written, the style-mode indicators, the keys, the caption, dropped file names, the
// file-name rules and the TYP file list.
#include <array>
#include <string>
#include <vector>

#include "base/uiport.h"
#include "typtext/typ_text_context.h"

namespace kestrel {

// `ver` in its shortest decimal form ("5.1").
std::string verText(float ver);
// `cap`: "kestrel " + ver + " " + the lower-cased name.
std::string cap(float ver, const std::string& name);

// `shw_tp`: per kind "C" for the colour-picker mode, "B" for "TYPE on BMP" (not for lines), "-".
std::array<std::string, 3> shw_tp(const std::array<int, 3>& kindmode);

// Before "Create TYP file" writes anything: refuses when no kind is ticked, asks when one or two
// are not.
bool kindsForCreate(const std::array<bool, 3>& kindsel, UiPort& ui);

// Escape: sets the stop flag; during a File > Open batch (`batchRunning`) also says so.
void escapePressed(bool batchRunning, UiPort& ui);

// Activation: per recent item, whether it is enabled (non-empty and its file exists).
std::array<bool, 7> recentEnabled(const std::array<std::string, 7>& items);

// Dropped files as the text `loadole` splits: on the window only the first file; on a list every
// file followed by CR LF.
std::string dropText(const std::vector<std::string>& paths, bool onList);

// "Save as text": a chosen name without any "." gets ".txt".
std::string saveAsTextName(const std::string& name);

// The replace query: true when the path exists and the user did not answer Yes.
bool replaceQuery(const std::string& path, UiPort& ui);

// "Create TYP" of the file-name window: the name must end in ".txt"; an existing file needs a
// Yes. False keeps the window open.
bool acceptTypFileName(const std::string& name, UiPort& ui);

// The TYP files ("*.typ", any case) of a folder, sorted by name.
std::vector<std::string> typFiles(const std::string& folder);

// The delete command of the TYP file list: asks, then deletes folder/item. True when deleted.
bool deleteTypFile(const std::string& folder, const std::string& item, UiPort& ui);

} // namespace kestrel
