#pragma once
// The update check: reads the newest version number from the maker's version page and compares
// it with the running version.
#include <chrono>
#include <string>
#include <string_view>
#include <variant>

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

// What a check found out.
struct UpToDate {
    bool operator==(const UpToDate&) const = default;
};
struct UpdateAvailable {
    std::string version; // as the page gives it, blanks removed: digits, dots and letters
    bool operator==(const UpdateAvailable&) const = default;
};
struct CouldNotCheck {
    std::string reason; // in a user's words: "cannot connect to HOST", "HTTP 404", ...
    bool operator==(const CouldNotCheck&) const = default;
};
using UpdateOutcome = std::variant<UpToDate, UpdateAvailable, CouldNotCheck>;

// The addresses in use: the settings' own, or the built-in ones when those are empty.
std::string updatePageUrl(const UpdatePages& pages);
std::string downloadUrl(const UpdatePages& pages);

// Reads a page held in a buffer of 1000 blanks: the text after the first "<body>", cut before
// "</", without blanks, is the version; only a version greater than `ver` (in single precision)
// is an update. Without "<body>", or when the version is not a digit followed by at most 31
// digits, dots and letters, the page is not a version page.
UpdateOutcome readVersionPage(std::string_view buffer, float ver);

// The check: fetches the page (time-limited), yields four times and reads it. A failed fetch, an
// answer other than 2xx or a page that is not a version page could not be checked.
UpdateOutcome checkUpdate(const std::string& pageUrl, float ver, UiPort& ui,
                          std::chrono::milliseconds timeout = kCheckTimeout);

// The desktop window's words for an outcome: "No update available.", "An update is available! "
// with the version, or "Could not check for updates: " with the reason.
std::string resultText(const UpdateOutcome& outcome);

// `ver` as the version label shows it: the number with a leading blank (" 5.1").
std::string versionText(float ver);

} // namespace kestrel
