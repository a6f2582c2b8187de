#pragma once
// Every text the installed-products window and its scans show to the user.
#include <string_view>

namespace kestrel {

inline constexpr std::string_view kSelectFiles = "Please select img(s)/gmp(s).";
inline constexpr std::string_view kErrorClosingKey = "Error closing key.";

inline constexpr std::string_view kSelectionTitle = "Multi Select IMGs";
inline constexpr std::string_view kMapsFound = "Maps Found:";
inline constexpr std::string_view kExtendDirectories = "Extend Directories";
inline constexpr std::string_view kSearchButton = "Search";
inline constexpr std::string_view kOpenButton = "Open";
inline constexpr std::string_view kBrowseButton = "Browse...";
inline constexpr std::string_view kSelectionHint = "Select a IMG or GMP File then click OPEN";

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

} // namespace kestrel
