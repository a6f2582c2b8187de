#pragma once
// One GET for the update check: http or https, one time limit over the whole exchange (name
// lookup, connection, transfer), a few redirects at most, and only the first bytes of the body.
// libcurl on Linux and macOS, WinINet on Windows; both give the same values.
#include <chrono>
#include <string>
#include <string_view>
#include <variant>

namespace kestrel {

struct HttpOptions {
    std::string userAgent;
    std::chrono::milliseconds timeout{5000};
    // The body is read up to this many bytes; the rest of the page is never fetched.
    std::size_t maxBody = 1000;
    long maxRedirects = 3;
};

// An answer arrived: the status of the last one (after redirects) and its first maxBody bytes.
struct HttpPage {
    int status = 0;
    std::string body;
    bool operator==(const HttpPage&) const = default;
};

// No answer arrived, and why.
struct HttpFailure {
    enum class Kind {
        BadAddress,                // not an http:// or https:// address
        CannotResolve,             // the host name has no address
        CannotConnect,             // refused or unreachable
        TimedOut,                  // the time limit ran out, wherever the exchange was
        UntrustedCertificate,      // https: the server's certificate is not trusted
        SecureConnectionFailed,    // https: no secure channel for another reason
        UnreadableCertificateFile, // https: a certificate file named in the environment
        TooManyRedirects,
        BadAnswer, // the server's answer is not HTTP, or broke off
    };
    Kind kind = Kind::BadAnswer;
    std::string host;   // the server concerned (the address itself for BadAddress)
    std::string detail; // the library's or system's own words, when they add something; the
                        // files and their variables for UnreadableCertificateFile
    bool operator==(const HttpFailure&) const = default;
};

using HttpResult = std::variant<HttpPage, HttpFailure>;

// Requests the page with the user agent, "Cache-Control: no-cache" and "Pragma: no-cache", by
// HTTP/1.1 without a proxy. https trusts the system's certificates; outside Windows, the files
// named by CURL_CA_BUNDLE and SSL_CERT_FILE take the place of the system's bundle file (its
// folder of certificates still counts), and an https address fails when one cannot be read.
HttpResult httpGet(std::string_view url, const HttpOptions& options);

// The failure in a user's words: "cannot connect to HOST", "timed out after 5 s", ...
std::string failureText(const HttpFailure& failure, std::chrono::milliseconds timeout);

} // namespace kestrel
