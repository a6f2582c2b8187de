#pragma once
// Texts of the update check and its window.
#include <string_view>

namespace kestrel {

inline constexpr std::string_view kNoUpdate = "No update available.";
inline constexpr std::string_view kUpdateAvailable = "An update is available! ";
inline constexpr std::string_view kCouldNotCheck = "Could not check for updates: ";

inline constexpr std::string_view kUpdatesTitle = "Updates";
inline constexpr std::string_view kCurrentVersion = "Current Version:";
inline constexpr std::string_view kCheckWebsite = "Click here to check website";
inline constexpr std::string_view kDownloadLink = "Download Link";

// Why a check could not be made; the host, the limit or the library's words follow.
inline constexpr std::string_view kNotAVersionPage = "not a version page";
inline constexpr std::string_view kHttpStatus = "HTTP ";
inline constexpr std::string_view kBadAddress = "not an http or https address: ";
inline constexpr std::string_view kCannotResolve = "cannot resolve ";
inline constexpr std::string_view kCannotConnect = "cannot connect to ";
inline constexpr std::string_view kTimedOut = "timed out after ";
inline constexpr std::string_view kUntrustedCertificate = "certificate not trusted: ";
inline constexpr std::string_view kSecureConnectionFailed = "secure connection failed: ";
// The files follow, each with the variable that names it: "/a.pem (SSL_CERT_FILE)".
inline constexpr std::string_view kUnreadableCertificateFile = "certificate file not readable: ";
inline constexpr std::string_view kTooManyRedirects = "too many redirects";
inline constexpr std::string_view kBadAnswer = "bad answer from ";

} // namespace kestrel
