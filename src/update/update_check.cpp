#include "update/update_check.h"

#include <charconv>

#include "base/text.h"
#include "update/http_get.h"
#include "update/messages.h"

namespace kestrel {

namespace {

constexpr int kYieldsAfterRead = 4;

// Line breaks and tabs around the number (a page written on several lines) are not part of it.
std::string withoutSurroundingBreaks(std::string_view s) {
    constexpr std::string_view kBreaks = "\r\n\t";
    const std::size_t first = s.find_first_not_of(kBreaks);
    if (first == std::string_view::npos) return {};
    const std::size_t last = s.find_last_not_of(kBreaks);
    return std::string(s.substr(first, last - first + 1));
}

} // namespace

std::string updatePageUrl(const UpdatePages& pages) {
    return pages.version.empty() ? std::string(kDefaultUpdatePageUrl) : pages.version;
}

std::string downloadUrl(const UpdatePages& pages) {
    return pages.download.empty() ? std::string(kDefaultDownloadUrl) : pages.download;
}

std::string versionResult(std::string_view buffer, float ver) {
    const std::vector<std::string> parts = split(buffer, "<body>");
    if (parts.size() < 2) return std::string(kNoUpdate);
    std::string version = parts[1];
    if (const auto end = version.find("</"); end != std::string::npos) version.resize(end);
    version = withoutSurroundingBreaks(replaceAll(version, " ", ""));
    if (static_cast<float>(val(version)) > ver) return std::string(kUpdateAvailable) + version;
    return std::string(kNoUpdate);
}

std::string checkUpdate(const std::string& pageUrl, float ver, UiPort& ui,
                        std::chrono::milliseconds timeout) {
    HttpOptions options;
    options.userAgent = std::string(kCheckAgent);
    options.timeout = timeout;
    options.maxBody = kPageReadLimit;
    const HttpResult page = httpGet(pageUrl, options);
    for (int i = 0; i < kYieldsAfterRead; ++i) ui.yieldNow();
    if (!page.ok) return std::string(kNoUpdate);
    std::string buffer(kPageReadLimit, ' ');
    buffer.replace(0, page.body.size(), page.body);
    return versionResult(buffer, ver);
}

std::string versionText(float ver) {
    char digits[32];
    const auto r = std::to_chars(digits, digits + sizeof digits, ver);
    const std::string number(digits, r.ptr);
    return ver >= 0 ? " " + number : number;
}

} // namespace kestrel
