#pragma once
// Every text the application shell shows: message boxes, questions, captions. Kept together so
// tests compare them exactly.
#include <string>
#include <string_view>

namespace kestrel::shellmsg {

// Main window.
inline constexpr std::string_view kSelectKind = "Please select Point , Line or Polygon";
inline constexpr std::string_view kDeselected = "You have deselected an element. Continue?";
inline constexpr std::string_view kNoData = "No data";
inline constexpr std::string_view kProcessHalted =
    "Process halted.\r\n\r\nCreate TYP file if elements are found.";
inline constexpr std::string_view kSelectTypFile = "Please select TYP file.";
inline std::string deleteTypFile(std::string_view item) {
    return "This will delete '" + std::string(item) + "' . Do you want to continue?";
}
inline constexpr std::string_view kCaptionPrefix = "kestrel ";

// File-name window and the replace query.
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
inline constexpr std::string_view kPoiWidth1 = "POI Width Size :1 - 64";
inline constexpr std::string_view kPoiWidth4 = "POI Width Size :4 - 64";
inline constexpr std::string_view kTdbEditorNotFound = "tdb_editor.exe not found";
inline constexpr std::string_view kTinkerNotFound = "Tinker not found.";

} // namespace kestrel::shellmsg
