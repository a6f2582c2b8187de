#pragma once
// Every text the application shell shows: message boxes, questions, window titles, menus and
// control captions, and the project's pages. Kept together so tests compare them exactly.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/counted.h"

namespace kestrel {

inline constexpr std::string_view kProgramName = "kestrel";

// Main window: messages and questions.
inline constexpr std::string_view kSelectKind = "Please select Point , Line or Polygon";
inline constexpr std::string_view kDeselected = "You have deselected an element. Continue?";
inline constexpr std::string_view kNoData = "No data";
inline constexpr std::string_view kProcessHalted =
    "Process halted.\r\n\r\nCreate TYP file if elements are found.";
inline constexpr std::string_view kSelectTypFile = "Please select TYP file.";
inline std::string deleteTypFileQuestion(std::string_view item) {
    return "This will delete '" + std::string(item) + "' . Do you want to continue?";
}
inline constexpr std::string_view kCaptionPrefix = "kestrel ";
// Heads the list of maps named on the command line that cannot be read, one "PATH: reason" a line.
inline constexpr std::string_view kUnreadableMaps = "These maps cannot be read:";
// Ends that list when it names only the first of them.
inline std::string moreMaps(std::size_t n) {
    return "and " + std::to_string(n) + " more";
}

// "Compile": the TYP text written last into NAME.typ.
inline constexpr std::string_view kNoTypText =
    "No TYP text to compile: write one first with Create TYP file.";
// "line 12: reason", or the reason alone for the whole text.
inline std::string lineNote(std::uint32_t line, std::string_view text) {
    return line ? "line " + std::to_string(line) + ": " + std::string(text) : std::string(text);
}
inline std::string compileRefused(std::string_view text, std::string_view why) {
    return std::string(text) + " cannot be compiled, " + std::string(why) +
           "\r\n\r\nNothing was written.";
}
inline std::string cannotReadTypText(std::string_view path) {
    return "Cannot read the TYP text " + std::string(path) + ".";
}
inline std::string cannotWriteTyp(std::string_view path) {
    return "Cannot write " + std::string(path) + ".";
}
// The warnings shown after a compile, at most this many (then how many more).
inline constexpr std::size_t kWarningsShown = 10;
inline std::string compiledTyp(std::string_view name, std::size_t polygons, std::size_t lines,
                               std::size_t points, std::size_t bytes,
                               const std::vector<std::string>& warnings) {
    std::string text = "Compiled " + std::string(name) + ": " +
                       counted(polygons, "polygon", "polygons") + ", " +
                       counted(lines, "line", "lines") + ", " + counted(points, "point", "points") +
                       ", " + counted(bytes, "byte", "bytes") + ".";
    if (!warnings.empty()) text += "\r\n\r\nAs mkgmap compiles it:";
    for (std::size_t i = 0; i < warnings.size() && i < kWarningsShown; ++i)
        text += "\r\n" + warnings[i];
    if (warnings.size() > kWarningsShown)
        text += "\r\n... and " + std::to_string(warnings.size() - kWarningsShown) + " more";
    return text;
}

// Main window: menus (the Tools menu's generator items are typbin's).
inline constexpr std::string_view kMenuFile = "&File";
inline constexpr std::string_view kMenuNew = "New";
inline constexpr std::string_view kMenuOpen = "Open";
inline constexpr std::string_view kMenuSaveAsText = "Save as text";
inline constexpr std::string_view kMenuPutTyp = "Put TYP into map…";
inline constexpr std::string_view kMenuOpenTyp = "Open TYP…";
inline constexpr std::string_view kMenuCheckForUpdates = "Check for Updates";
inline constexpr std::string_view kMenuAbout = "About";
inline constexpr std::string_view kMenuExit = "Exit";
inline constexpr std::string_view kMenuSettings = "&Settings";
inline constexpr std::string_view kMenuTools = "&Tools";
inline constexpr std::string_view kMenuHelp = "&Help";
// The Settings menu item and the title of the window it opens.
inline constexpr std::string_view kAllSettings = "All Settings";
// The Tools menu item, the main window's box that opens the picker too, and a style mode.
inline constexpr std::string_view kColourPicker = "Color Picker";

// Main window: controls.
inline constexpr std::string_view kOpenImg = "Open IMG";
inline constexpr std::string_view kCreateTypFile = "Create TYP file";
inline constexpr std::string_view kCompileTyp = "Compile";
inline constexpr std::string_view kCompileTypTip =
    "Compile the TYP text written last into a binary TYP file beside it";
inline constexpr std::string_view kFidLabel = "FID";
inline constexpr std::string_view kProductCodeLabel = "Product code";
inline constexpr std::string_view kCodepageLabel = "Codepage";
inline constexpr std::string_view kHighways = "Highways+";
inline constexpr std::string_view kCompleteScan = "Complete scan";
// The tooltip of a type a complete scan listed: "Objects: 12  Levels: 0, 1".
inline std::string objectsTip(std::uint64_t count, const std::vector<unsigned>& levels) {
    std::string text = "Objects: " + std::to_string(count) + "  Levels: ";
    for (std::size_t i = 0; i < levels.size(); ++i)
        text += (i ? ", " : "") + std::to_string(levels[i]);
    return text;
}
inline constexpr std::string_view kDraworder = "Polygon Draworder Attempt";
// The kinds' captions before a map is read, and the settings' rows, by kind.
inline constexpr std::array<std::string_view, 3> kKindCaptions{"Polygons", "Lines", "POIs"};
inline constexpr std::string_view kStyleModeTip =
    "Style mode: B TYPE on BMP, C Color Picker, - catalogue";
inline constexpr std::string_view kDropTip = "Drag Drop IMG files";
inline constexpr std::string_view kMyTypFiles = "My TYP files";
inline constexpr std::string_view kMapTypFiles = "TYP files of the map";
inline constexpr std::string_view kLaunchTip = "Double click to launch";
inline constexpr std::string_view kDeleteButton = "Delete";
inline constexpr std::string_view kDeleteTip = "Delete the selected TYP file";
inline constexpr std::array<std::string_view, 2> kEditorCaptions{"Edit Current File",
                                                                 "Launch TDB Editor"};
inline constexpr std::string_view kLocateTip = "Locate the program in Settings";
inline constexpr std::string_view kNtMap = "NT Map";
inline constexpr std::string_view kStopEsc = "Stop (ESC)";
inline constexpr std::string_view kSaveFileTitle = "Save File";
inline constexpr std::string_view kTypTextFilter = "TYP Text Files(*.txt)";

// About window.
inline constexpr std::string_view kAboutTitle = "Information";
inline constexpr std::string_view kVersionPrefix = "Version ";
inline constexpr std::string_view kOkButton = "OK";

// File-name window and the replace query.
inline constexpr std::string_view kDefaultTypTextName = "untitled.txt";
inline constexpr std::string_view kFileNameTitle = "Create TYP File";
inline constexpr std::string_view kFileNameLabel = "Filename";
inline constexpr std::string_view kCreateTyp = "Create TYP";
inline constexpr std::string_view kNotTxt = "This is not a .txt file.";
inline std::string replaceQuestion(std::string_view path) {
    return std::string(path) + " exists.\r\n\r\n Replace?";
}

// Editor launchers.
inline constexpr std::string_view kLocateTinker = "Please locate Tinker in settings.";
inline constexpr std::string_view kFoundOtherSession =
    "Have found a file created during another session.\r\n\r\nLoad this file?";
inline constexpr std::string_view kCreateFirst =
    "Please Create TYP txt file first. Continue anyway?";
inline constexpr std::string_view kLocateTdbEditor = "Please locate tdb editor in settings.";

// Settings window.
inline constexpr std::array<std::string_view, 4> kSettingsPages{"Colours", "Advanced", "Software",
                                                                "Elements"};
inline constexpr std::string_view kApplyButton = "Apply";
// The doubled ampersands show as one "&" in captions that treat "&" as a mnemonic marker.
inline constexpr std::string_view kTypesBelow100 = "TYPE <&100";
inline constexpr std::string_view kTypesFrom100 = "TYPE &100+";
inline constexpr std::string_view kInclude4b4a = "Include &&4B,&&4A Polygons";
inline constexpr std::string_view kVariousIcons = "Use various default icons (school,parking etc)";
inline constexpr std::string_view kPoiWidthLabel = "Non-City POI width";
inline constexpr std::string_view kCityPoiWidthLabel = "City POIs width";
inline constexpr std::string_view kTdbEditorLabel = "tdb editor";
inline constexpr std::string_view kTinkerLabel = "Tinker";
inline constexpr std::string_view kBrowseDots = "...";
inline constexpr std::string_view kTypeOnBmp = "TYPE on BMP";
inline constexpr std::string_view kOpenFileTitle = "Open File";
// "Put TYP into map…": the map, the TYP, the new map; the question when the map names no one
// family.
inline constexpr std::string_view kPutTypMapTitle = "Map to put the TYP into";
inline constexpr std::string_view kPutTypTypTitle = "TYP file to put into the map";
inline constexpr std::string_view kPutTypOutTitle = "Save the new map as";
inline constexpr std::string_view kImgFilter = "Garmin maps (*.img *.IMG)";
inline constexpr std::string_view kTypFilter = "TYP files (*.typ *.TYP)";
inline constexpr std::string_view kOpenTypTitle = "TYP to preview";
inline constexpr std::string_view kTypOrTextFilter =
    "TYP files and texts (*.typ *.TYP *.txt *.TXT);;Garmin maps (*.img *.IMG);;All files (*)";
inline constexpr std::string_view kKeepTypIds = "Keep the TYP's own family ID and product?";
inline constexpr std::string_view kTdbEditorFilter = "TDB Editor  (*.exe)";
inline constexpr std::string_view kTinkerFilter = "Tinker  (*.exe)";
inline constexpr std::string_view kPoiWidth1 = "POI Width Size :1 - 64";
inline constexpr std::string_view kPoiWidth4 = "POI Width Size :4 - 64";
inline constexpr std::string_view kTdbEditorNotFound = "tdb_editor.exe not found";
inline constexpr std::string_view kTinkerNotFound = "Tinker not found.";

// The project's web pages that the Help menu and the About window open.
inline constexpr std::string_view kProjectPage = "http://www.kestrel-maps.org/";
struct HelpPage {
    std::string_view caption;
    std::string_view url;
};
// Help items 0, 1, 2 and 4 (item 3 is a separator).
inline constexpr std::array<HelpPage, 4> kHelpPages{{
    {"Youtube Tutorial", "http://www.kestrel-maps.org/tutorial.html"},
    {"Manual", "http://www.kestrel-maps.org/manual.html"},
    {"Administrator Problems", "http://www.kestrel-maps.org/administrator.html"},
    {"What's New", "http://www.kestrel-maps.org/whatsnew.html"},
}};

} // namespace kestrel
