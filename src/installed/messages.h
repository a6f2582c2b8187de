#pragma once
// Every text the installed-products window and its scans show to the user.
#include <string_view>

namespace kestrel::installed {

inline constexpr std::string_view kMsgSelectFiles = "Please select img(s)/gmp(s).";
inline constexpr std::string_view kMsgErrorClosingKey = "Error closing key.";
// The command line's note when the scans found nothing.
inline constexpr std::string_view kMsgNoProducts = "No installed map products found.";

inline constexpr std::string_view kCaption = "Multi Select IMGs";
inline constexpr std::string_view kMapsFound = "Maps Found:";
inline constexpr std::string_view kExtendDirectories = "Extend Directories";
inline constexpr std::string_view kSearch = "Search";
inline constexpr std::string_view kOpen = "Open";
inline constexpr std::string_view kCancel = "Cancel";
inline constexpr std::string_view kBrowse = "Browse...";
inline constexpr std::string_view kHint = "Select a IMG or GMP File then click OPEN";

// Patterns of the file list: on opening, and after a product was chosen.
inline constexpr std::string_view kPatternMaps = "*.img;*.gmp";
inline constexpr std::string_view kPatternImg = "*.img";

// Filters of the browse window: label and pattern.
struct BrowseFilter {
    std::string_view label;
    std::string_view pattern;
};
inline constexpr BrowseFilter kBrowseFilters[] = {
    {"IMG (*.img) ", "*.img"},
    {"GMP (*.gmp)", "*.gmp"},
    {"All Garmin Files ", "*.img;*.gmp"},
};

// Appended to a mounted device's volume name in the product list.
inline constexpr std::string_view kDeviceSuffix = " (device)";

} // namespace kestrel::installed
