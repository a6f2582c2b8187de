#pragma once
// A minimal HTTP GET for the update check: one request, no cache, a time limit, and only the
// first bytes of the page body. Plain http:// on every platform (Windows uses WinINet, which
// also speaks https://).
#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace kestrel {

struct HttpUrl {
    std::string host;
    std::string port = "80";
    std::string path = "/";
};

// Splits "http://host[:port][/path]"; other schemes and malformed addresses give nothing.
std::optional<HttpUrl> parseHttpUrl(std::string_view url);

struct HttpOptions {
    std::string userAgent;
    // For the whole exchange: connecting, sending and reading. A server that accepts and never
    // answers ends the request when it runs out.
    std::chrono::milliseconds timeout{5000};
    // The body is read up to this many bytes; the rest of the page is never fetched.
    std::size_t maxBody = 1000;
};

struct HttpResult {
    bool ok = false;   // a 2xx answer arrived (its body may be cut at maxBody)
    int status = 0;    // status code of the answer; 0 when none arrived
    std::string body;  // at most maxBody bytes
    std::string error; // what went wrong, for the command line
};

// Requests the page with the user agent, "Cache-Control: no-cache" and "Pragma: no-cache",
// reads the response head, then body bytes until maxBody, the end of the page or the time limit.
HttpResult httpGet(std::string_view url, const HttpOptions& options);

} // namespace kestrel
