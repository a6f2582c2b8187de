#pragma once
// Every word a legend shows, in one place: headings, the texts of a row, the notes beside a map.
#include <array>
#include <cstdint>
#include <string_view>

namespace kestrel::legend::words {

inline constexpr std::string_view kTitle = "Legend of ";
inline constexpr std::string_view kBeside = " beside ";
inline constexpr std::string_view kDay = "day";
inline constexpr std::string_view kNight = "night";
inline constexpr std::string_view kPolygons = "Polygons, in draw order";
inline constexpr std::string_view kLines = "Lines";
inline constexpr std::string_view kPoints = "Points";
inline constexpr std::string_view kUnstyled = "Types the map uses that the TYP does not style "
                                              "(drawn plain)";
inline constexpr std::string_view kUndrawn = "Polygons the draw order leaves out: a device "
                                             "never draws them";
inline constexpr std::string_view kUnused = "Elements of the TYP the map never uses";
inline constexpr std::string_view kNone = "none";
inline constexpr std::string_view kIncomplete =
    "Not every object of the map could be decoded: counts are those of the decoded part.";
inline constexpr std::string_view kLevel = "level ";
inline constexpr std::string_view kNoLevel = "not in the draw order";
inline constexpr std::string_view kObjects = " objects";
inline constexpr std::string_view kOneObject = " object";
inline constexpr std::string_view kNoLabels = "no labels";
inline constexpr std::string_view kLabelColours = "label colours: ";
inline constexpr std::string_view kDeviceColours = "the device's";
inline constexpr std::string_view kNightSuffix = " by night";
inline constexpr std::string_view kObjectsColumn = "objects";
inline constexpr std::string_view kColumns[] = {"day",          "night",  "code", "draw level",
                                                kObjectsColumn, "labels", "font", "label colours"};
inline constexpr std::string_view kKindNames[] = {"polygon", "line", "point"};

inline constexpr std::array<std::string_view, 8> kFonts = {
    "default font", "no label",     "small font",   "normal font",
    "large font",   "font style 5", "font style 6", "font style 7"};

// The languages a label may name (its byte), as the devices list them.
inline constexpr std::array<std::string_view, 0x23> kLanguages = {
    "unspecified", "French",    "German",     "Dutch",      "English",  "Italian",    "Finnish",
    "Swedish",     "Spanish",   "Basque",     "Catalan",    "Galician", "Welsh",      "Gaelic",
    "Danish",      "Norwegian", "Portuguese", "Slovak",     "Czech",    "Croatian",   "Hungarian",
    "Polish",      "Turkish",   "Greek",      "Slovenian",  "Russian",  "Estonian",   "Latvian",
    "Romanian",    "Albanian",  "Bosnian",    "Lithuanian", "Serbian",  "Macedonian", "Bulgarian"};
inline constexpr std::string_view kLanguage = "language 0x";

// The desktop's preview window.
inline constexpr std::string_view kPreviewTitle = "Preview: ";
inline constexpr std::string_view kDayButton = "Day";
inline constexpr std::string_view kNightButton = "Night";
inline constexpr std::string_view kCannotShow = "Cannot show the legend of ";

} // namespace kestrel::legend::words
