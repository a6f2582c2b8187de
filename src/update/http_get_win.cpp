// The update check's GET on Windows, through WinINet (there is no libcurl in our Windows build).
// WinINet keeps time limits only in part: a server that accepts and never answers held the old
// check for many minutes, and a name lookup is never cut. So every handle gets what is left of
// the limit, and the exchange runs in a worker thread that the caller stops waiting for when the
// limit runs out: it closes the worker's handles (which ends a blocked call where WinINet allows
// it) and returns without joining the worker.
#include <algorithm>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>
#include <windows.h>
#include <wininet.h>

#include "update/http_get.h"

namespace kestrel {

namespace {

using Clock = std::chrono::steady_clock;
using Kind = HttpFailure::Kind;

// What the caller and the worker share. The worker hands over every handle it opens; the caller
// closes them all when the worker is done or the time is up, and after that the worker keeps none.
class Exchange {
  public:
    // False when the caller gave up already; the handle is then closed here.
    bool keep(HINTERNET handle) {
        std::unique_lock lock(mutex_);
        if (!abandoned_) {
            handles_.push_back(handle);
            return true;
        }
        lock.unlock();
        InternetCloseHandle(handle);
        return false;
    }

    void finish(HttpResult result) {
        const std::lock_guard lock(mutex_);
        result_ = std::move(result);
        done_.notify_all();
    }

    // The worker's result, or nothing when the deadline came first.
    std::optional<HttpResult> await(Clock::time_point deadline) {
        std::unique_lock lock(mutex_);
        done_.wait_until(lock, deadline, [this] { return result_.has_value(); });
        abandoned_ = true;
        std::optional<HttpResult> result = result_;
        std::vector<HINTERNET> handles;
        handles.swap(handles_);
        lock.unlock();
        // Innermost first; closing them ends a call still blocked on them.
        for (auto h = handles.rbegin(); h != handles.rend(); ++h) InternetCloseHandle(*h);
        return result;
    }

  private:
    std::mutex mutex_;
    std::condition_variable done_;
    std::vector<HINTERNET> handles_;
    std::optional<HttpResult> result_;
    bool abandoned_ = false;
};

// Each handle gets what is left of the limit for connecting, sending and receiving, and a little
// more: the deadline itself must come first and say "timed out", where WinINet may call its own
// expiry a dropped connection (wine does while a TLS handshake waits).
void setLimits(HINTERNET handle, Clock::time_point deadline) {
    constexpr long long kAfterDeadlineMs = 500;
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    DWORD ms = static_cast<DWORD>(std::max<long long>(left.count(), 0) + kAfterDeadlineMs);
    for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                         INTERNET_OPTION_RECEIVE_TIMEOUT})
        InternetSetOptionA(handle, option, &ms, sizeof ms);
}

std::string systemWords(DWORD code) {
    char text[512] = {};
    const DWORD n = FormatMessageA(
        FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        GetModuleHandleA("wininet.dll"), code, 0, text, sizeof text, nullptr);
    std::string words(text, n);
    while (!words.empty() && (words.back() == '\n' || words.back() == '\r' || words.back() == '.'))
        words.pop_back();
    return words.empty() ? "error " + std::to_string(code) : words;
}

// WinINet's errors that have a failure of their own. Certificate problems carry our own words:
// wininet.dll has no message text for them on every system.
struct KnownError {
    DWORD code;
    Kind kind;
    const char* words;
};
constexpr KnownError kKnownErrors[] = {
    {ERROR_INTERNET_NAME_NOT_RESOLVED, Kind::CannotResolve, ""},
    {ERROR_INTERNET_CANNOT_CONNECT, Kind::CannotConnect, ""},
    {ERROR_INTERNET_TIMEOUT, Kind::TimedOut, ""},
    {ERROR_INTERNET_INVALID_CA, Kind::UntrustedCertificate, "unknown certificate authority"},
    {ERROR_INTERNET_SEC_CERT_CN_INVALID, Kind::UntrustedCertificate, "issued for another name"},
    {ERROR_INTERNET_SEC_CERT_DATE_INVALID, Kind::UntrustedCertificate, "expired or not yet valid"},
    {ERROR_INTERNET_SEC_CERT_REVOKED, Kind::UntrustedCertificate, "revoked"},
    {ERROR_INTERNET_SEC_CERT_REV_FAILED, Kind::UntrustedCertificate,
     "revocation could not be checked"},
    {ERROR_INTERNET_SEC_CERT_ERRORS, Kind::UntrustedCertificate, "invalid certificate"},
    {ERROR_INTERNET_SEC_INVALID_CERT, Kind::UntrustedCertificate, "invalid certificate"},
    {ERROR_INTERNET_SECURITY_CHANNEL_ERROR, Kind::SecureConnectionFailed, "no secure channel"},
};

HttpFailure failureOf(DWORD code, const std::string& host) {
    for (const KnownError& e : kKnownErrors)
        if (e.code == code) return {e.kind, host, e.words};
    return {Kind::BadAnswer, host, systemWords(code)};
}

struct Address {
    bool https = false;
    std::string host;
    INTERNET_PORT port = 0;
    std::string path;
};

std::optional<Address> crack(const std::string& url) {
    char host[256] = {}, path[2048] = {}, extra[2048] = {};
    URL_COMPONENTSA parts{};
    parts.dwStructSize = sizeof parts;
    parts.lpszHostName = host;
    parts.dwHostNameLength = sizeof host;
    parts.lpszUrlPath = path;
    parts.dwUrlPathLength = sizeof path;
    parts.lpszExtraInfo = extra;
    parts.dwExtraInfoLength = sizeof extra;
    if (url.empty() || !InternetCrackUrlA(url.c_str(), 0, 0, &parts) || !*host ||
        (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS))
        return std::nullopt;
    std::string fullPath = std::string(*path ? path : "/") + extra;
    fullPath.resize(std::min(fullPath.find('#'), fullPath.size())); // never sent
    return Address{parts.nScheme == INTERNET_SCHEME_HTTPS, host, parts.nPort, fullPath};
}

bool isRedirect(DWORD status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// Opens a handle, hands it to the exchange and gives it the limits; nothing when that failed.
HINTERNET kept(HINTERNET handle, Exchange& exchange, Clock::time_point deadline) {
    if (!handle || !exchange.keep(handle)) return nullptr;
    setLimits(handle, deadline);
    return handle;
}

// The worker's side: the request, redirects followed by hand to count them, and the body.
HttpResult fetch(Exchange& exchange, std::string url, const HttpOptions& options,
                 Clock::time_point deadline) {
    const HINTERNET session = kept(
        InternetOpenA(options.userAgent.c_str(), INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0),
        exchange, deadline);
    if (!session) return HttpFailure{Kind::BadAnswer, {}, systemWords(GetLastError())};
    const char* headers = "Cache-Control: no-cache\r\nPragma: no-cache\r\n";
    for (long redirects = 0; redirects <= options.maxRedirects; ++redirects) {
        const auto address = crack(url);
        if (!address) return HttpFailure{Kind::BadAddress, url, {}};
        const HINTERNET connection =
            kept(InternetConnectA(session, address->host.c_str(), address->port, nullptr, nullptr,
                                  INTERNET_SERVICE_HTTP, 0, 0),
                 exchange, deadline);
        if (!connection) return failureOf(GetLastError(), address->host);
        const DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                            INTERNET_FLAG_NO_AUTO_REDIRECT | INTERNET_FLAG_NO_COOKIES |
                            INTERNET_FLAG_NO_UI | (address->https ? INTERNET_FLAG_SECURE : 0);
        const HINTERNET request = kept(HttpOpenRequestA(connection, "GET", address->path.c_str(),
                                                        "HTTP/1.1", nullptr, nullptr, flags, 0),
                                       exchange, deadline);
        if (!request || !HttpSendRequestA(request, headers, static_cast<DWORD>(-1L), nullptr, 0))
            return failureOf(GetLastError(), address->host);
        DWORD status = 0;
        DWORD size = sizeof status;
        if (!HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status,
                            &size, nullptr) ||
            status == 0)
            return HttpFailure{Kind::BadAnswer, address->host, "no HTTP status"};
        if (isRedirect(status)) {
            char location[2048] = {}, next[4096] = {};
            DWORD length = sizeof location;
            DWORD nextLength = sizeof next;
            if (!HttpQueryInfoA(request, HTTP_QUERY_LOCATION, location, &length, nullptr) ||
                !InternetCombineUrlA(url.c_str(), location, next, &nextLength, ICU_NO_ENCODE))
                return HttpFailure{Kind::BadAnswer, address->host, "a redirect without a place"};
            url = next;
            continue;
        }
        std::string body(options.maxBody, '\0');
        DWORD got = 0;
        for (DWORD n = 1; n > 0 && got < body.size(); got += n)
            if (!InternetReadFile(request, body.data() + got, static_cast<DWORD>(body.size() - got),
                                  &n))
                return failureOf(GetLastError(), address->host);
        body.resize(got);
        return HttpPage{static_cast<int>(status), std::move(body)};
    }
    return HttpFailure{Kind::TooManyRedirects, {}, {}};
}

} // namespace

HttpResult httpGet(std::string_view address, const HttpOptions& options) {
    // No http or https address: answered at once, without starting WinINet (slow on a busy
    // machine).
    if (!crack(std::string(address)))
        return HttpFailure{Kind::BadAddress, std::string(address), {}};
    const Clock::time_point deadline = Clock::now() + options.timeout;
    const auto exchange = std::make_shared<Exchange>();
    // Detached: a worker stuck in a name lookup cannot be stopped, and must not hold the caller.
    std::thread([exchange, url = std::string(address), options, deadline] {
        exchange->finish(fetch(*exchange, url, options, deadline));
    }).detach();
    return exchange->await(deadline).value_or(HttpFailure{Kind::TimedOut, {}, {}});
}

} // namespace kestrel
