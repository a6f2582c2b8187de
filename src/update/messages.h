#pragma once
// Texts of the update check and its window.
#include <string_view>

namespace kestrel {

inline constexpr std::string_view kNoUpdate = "No update available.";
inline constexpr std::string_view kUpdateAvailable = "An update is available! ";

inline constexpr std::string_view kUpdatesTitle = "Updates";
inline constexpr std::string_view kCurrentVersion = "Current Version:";
inline constexpr std::string_view kCheckWebsite = "Click here to check website";
inline constexpr std::string_view kDownloadLink = "Download Link";
inline constexpr std::string_view kCancel = "Cancel";

} // namespace kestrel
