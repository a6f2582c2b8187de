#pragma once
// The update check: reads the newest version number from the maker's version page and compares
// it with the running version.
#include <chrono>
#include <string>
#include <string_view>

#include "base/uiport.h"

namespace kestrel {

inline constexpr std::string_view kDefaultUpdatePageUrl =
    "http://www.kestrel-maps.org/version.html";
inline constexpr std::string_view kDefaultDownloadUrl = "http://www.kestrel-maps.org/download.html";
inline constexpr std::string_view kCheckAgent = "kestrel chk api";
// Of the page body only this many bytes are read; a version text beyond them is not seen.
inline constexpr std::size_t kPageReadLimit = 1000;
inline constexpr std::chrono::milliseconds kCheckTimeout{5000};

// The version page and the download page as the settings name them.
struct UpdatePages {
    std::string version;
    std::string download;
};

// The addresses in use: the settings' own, or the built-in ones when those are empty.
std::string updatePageUrl(const UpdatePages& pages);
std::string downloadUrl(const UpdatePages& pages);

// The result text for a page read into a buffer of 1000 blanks: the text after the first
// "<body>", cut before "</", without blanks, is the version; only a version greater than `ver`
// (in single precision) means an update.
std::string versionResult(std::string_view buffer, float ver);

// The check: fetches the page (time-limited), yields four times and returns the result text.
// Every failure gives "No update available.".
std::string checkUpdate(const std::string& pageUrl, float ver, UiPort& ui,
                        std::chrono::milliseconds timeout = kCheckTimeout);

// `ver` as the version label shows it: the number with a leading blank (" 5.1").
std::string versionText(float ver);

} // namespace kestrel
