#include "update/update_check.h"

#include <algorithm>
#include <charconv>

#include "base/text.h"
#include "update/http_get.h"
#include "update/messages.h"

namespace kestrel {

namespace {

constexpr int kYieldsAfterRead = 4;
// A version is short and made of digits, dots and letters ("5.2", "6.0beta"); a page offering
// anything else (markup, control bytes) offers nothing that may reach a terminal or a window.
constexpr std::size_t kMaxVersionLength = 32;

bool isVersionText(std::string_view s) {
    const auto allowed = [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
               c == '.';
    };
    return !s.empty() && s.size() <= kMaxVersionLength && s.front() >= '0' && s.front() <= '9' &&
           std::all_of(s.begin(), s.end(), allowed);
}

// Line breaks and tabs around the number (a page written on several lines) are not part of it.
std::string withoutSurroundingBreaks(std::string_view s) {
    constexpr std::string_view kBreaks = "\r\n\t";
    const std::size_t first = s.find_first_not_of(kBreaks);
    if (first == std::string_view::npos) return {};
    const std::size_t last = s.find_last_not_of(kBreaks);
    return std::string(s.substr(first, last - first + 1));
}

// The words of each outcome, for the window.
struct ResultWords {
    std::string operator()(const UpToDate&) const { return std::string(kNoUpdate); }
    std::string operator()(const UpdateAvailable& u) const {
        return std::string(kUpdateAvailable) + u.version;
    }
    std::string operator()(const CouldNotCheck& c) const {
        return std::string(kCouldNotCheck) + c.reason;
    }
};

} // namespace

std::string updatePageUrl(const UpdatePages& pages) {
    return pages.version.empty() ? std::string(kDefaultUpdatePageUrl) : pages.version;
}

std::string downloadUrl(const UpdatePages& pages) {
    return pages.download.empty() ? std::string(kDefaultDownloadUrl) : pages.download;
}

UpdateOutcome readVersionPage(std::string_view buffer, float ver) {
    const std::vector<std::string> parts = split(buffer, "<body>");
    if (parts.size() < 2) return CouldNotCheck{std::string(kNotAVersionPage)};
    std::string version = parts[1];
    if (const auto end = version.find("</"); end != std::string::npos) version.resize(end);
    version = withoutSurroundingBreaks(replaceAll(version, " ", ""));
    if (!isVersionText(version)) return CouldNotCheck{std::string(kNotAVersionPage)};
    if (static_cast<float>(val(version)) > ver) return UpdateAvailable{version};
    return UpToDate{};
}

UpdateOutcome checkUpdate(const std::string& pageUrl, float ver, UiPort& ui,
                          std::chrono::milliseconds timeout) {
    HttpOptions options;
    options.userAgent = std::string(kCheckAgent);
    options.timeout = timeout;
    options.maxBody = kPageReadLimit;
    const HttpResult answer = httpGet(pageUrl, options);
    for (int i = 0; i < kYieldsAfterRead; ++i) ui.yieldNow();
    if (const auto* failure = std::get_if<HttpFailure>(&answer))
        return CouldNotCheck{failureText(*failure, timeout)};
    const HttpPage& page = std::get<HttpPage>(answer);
    if (page.status < 200 || page.status > 299)
        return CouldNotCheck{std::string(kHttpStatus) + std::to_string(page.status)};
    std::string buffer(kPageReadLimit, ' ');
    buffer.replace(0, page.body.size(), page.body);
    return readVersionPage(buffer, ver);
}

std::string resultText(const UpdateOutcome& outcome) {
    return std::visit(ResultWords{}, outcome);
}

std::string versionText(float ver) {
    char digits[32];
    const auto r = std::to_chars(digits, digits + sizeof digits, ver);
    const std::string number(digits, r.ptr);
    return ver >= 0 ? " " + number : number;
}

} // namespace kestrel
