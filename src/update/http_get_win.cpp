// The Windows side of the update check's GET: WinINet with direct access, no cached copy and
// time limits on connecting and reading.
#include "update/http_get.h"

#include <windows.h>
#include <wininet.h>

namespace kestrel {

namespace {

class InternetHandle {
  public:
    explicit InternetHandle(HINTERNET h) : h_(h) {}
    ~InternetHandle() {
        if (h_) InternetCloseHandle(h_);
    }
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;
    HINTERNET get() const { return h_; }

  private:
    HINTERNET h_;
};

} // namespace

HttpResult httpGet(std::string_view address, const HttpOptions& options) {
    HttpResult result;
    const std::string url(address);
    const InternetHandle session(
        InternetOpenA(options.userAgent.c_str(), INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
    if (!session.get()) {
        result.error = "cannot open an internet session";
        return result;
    }
    DWORD ms = static_cast<DWORD>(options.timeout.count());
    for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT,
                         INTERNET_OPTION_SEND_TIMEOUT})
        InternetSetOptionA(session.get(), option, &ms, sizeof ms);
    const char* headers = "Cache-Control: no-cache\r\nPragma: no-cache\r\n";
    const InternetHandle page(InternetOpenUrlA(
        session.get(), url.c_str(), headers, static_cast<DWORD>(-1L),
        INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE, 0));
    if (!page.get()) {
        result.error = "cannot open " + url;
        return result;
    }
    DWORD status = 0;
    DWORD size = sizeof status;
    if (HttpQueryInfoA(page.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size,
                       nullptr))
        result.status = static_cast<int>(status);
    result.body.resize(options.maxBody);
    DWORD got = 0;
    // WinINet fills the buffer as far as the page goes before it returns.
    if (!InternetReadFile(page.get(), result.body.data(), static_cast<DWORD>(options.maxBody),
                          &got))
        got = 0;
    result.body.resize(got);
    result.ok = result.status >= 200 && result.status < 300;
    if (!result.ok) result.error = "server answered " + std::to_string(result.status);
    return result;
}

} // namespace kestrel
