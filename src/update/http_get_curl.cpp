// The update check's GET through libcurl (Linux, macOS).
#include <algorithm>
#include <cstdlib>
#include <curl/curl.h>
#include <memory>

#include "update/http_get.h"

namespace kestrel {

namespace {

using Kind = HttpFailure::Kind;

struct CurlFree {
    void operator()(CURL* c) const { curl_easy_cleanup(c); }
    void operator()(CURLU* u) const { curl_url_cleanup(u); }
    void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};
template <class T> using CurlOwned = std::unique_ptr<T, CurlFree>;

struct Body {
    std::string bytes;
    std::size_t limit = 0;
    bool full = false; // the limit was reached and the transfer stopped there on purpose
};

std::size_t keepBody(char* data, std::size_t, std::size_t size, void* target) {
    Body& body = *static_cast<Body*>(target);
    const std::size_t room = body.limit - body.bytes.size();
    body.bytes.append(data, std::min(size, room));
    body.full = size > room;
    return body.full ? 0 : size; // a short count ends the transfer
}

std::string urlPart(CURLU* url, CURLUPart part) {
    char* text = nullptr;
    if (curl_url_get(url, part, &text, 0) != CURLUE_OK) return {};
    std::string out(text);
    curl_free(text);
    return out;
}

// The host of an address, or nothing when the address is not http:// or https://.
std::string httpHost(const char* address) {
    const CurlOwned<CURLU> url(curl_url());
    if (!url || curl_url_set(url.get(), CURLUPART_URL, address, 0) != CURLUE_OK) return {};
    const std::string scheme = urlPart(url.get(), CURLUPART_SCHEME);
    return scheme == "http" || scheme == "https" ? urlPart(url.get(), CURLUPART_HOST) : "";
}

// libcurl reads neither variable itself: with OpenSSL it loads its own built-in bundle path,
// which OpenSSL's SSL_CERT_FILE does not replace. The curl tool's variable comes first.
const char* certificateFile() {
    for (const char* name : {"CURL_CA_BUNDLE", "SSL_CERT_FILE"})
        if (const char* file = std::getenv(name); file && *file) return file;
    return nullptr;
}

// What OpenSSL says about the certificate, without libcurl's prefix.
std::string certificateWords(std::string words) {
    for (std::string_view prefix : {"SSL certificate problem: ", "SSL: "})
        if (words.starts_with(prefix)) return words.substr(prefix.size());
    return words;
}

HttpFailure failureOf(CURLcode code, std::string host, std::string words) {
    switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
        return {Kind::CannotResolve, host, {}};
    case CURLE_COULDNT_CONNECT:
        return {Kind::CannotConnect, host, {}};
    case CURLE_OPERATION_TIMEDOUT:
        return {Kind::TimedOut, host, {}};
    case CURLE_TOO_MANY_REDIRECTS:
        return {Kind::TooManyRedirects, host, {}};
    case CURLE_PEER_FAILED_VERIFICATION:
        return {Kind::UntrustedCertificate, host, certificateWords(words)};
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_ENGINE_INITFAILED:
        return {Kind::SecureConnectionFailed, host, words};
    default:
        return {Kind::BadAnswer, host, words};
    }
}

} // namespace

HttpResult httpGet(std::string_view address, const HttpOptions& options) {
    static const CURLcode initialised = curl_global_init(CURL_GLOBAL_DEFAULT);
    const std::string url(address);
    const std::string host = httpHost(url.c_str());
    if (host.empty()) return HttpFailure{Kind::BadAddress, url, {}};
    const CurlOwned<CURL> curl(initialised == CURLE_OK ? curl_easy_init() : nullptr);
    if (!curl) return HttpFailure{Kind::BadAnswer, host, "libcurl could not start"};

    CURL* c = curl.get();
    const long ms = static_cast<long>(options.timeout.count());
    Body body{{}, options.maxBody};
    CurlOwned<curl_slist> headers(curl_slist_append(nullptr, "Cache-Control: no-cache"));
    headers.reset(curl_slist_append(headers.release(), "Pragma: no-cache"));
    char words[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(c, CURLOPT_MAXREDIRS, options.maxRedirects);
    // The whole exchange, name lookup included (the threaded resolver lets the limit cut it).
    curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, ms);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, ms);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_PROXY, ""); // direct access, whatever the environment says
    curl_easy_setopt(c, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(c, CURLOPT_USERAGENT, options.userAgent.c_str());
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, keepBody);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &body);
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, words);
    if (const char* file = certificateFile()) curl_easy_setopt(c, CURLOPT_CAINFO, file);

    const CURLcode code = curl_easy_perform(c);
    if (code != CURLE_OK && !(code == CURLE_WRITE_ERROR && body.full)) {
        // After redirects the server concerned is the last one asked.
        char* last = nullptr;
        curl_easy_getinfo(c, CURLINFO_EFFECTIVE_URL, &last);
        const std::string lastHost = last ? httpHost(last) : "";
        return failureOf(code, lastHost.empty() ? host : lastHost,
                         *words ? words : curl_easy_strerror(code));
    }
    long status = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
    return HttpPage{static_cast<int>(status), std::move(body.bytes)};
}

} // namespace kestrel
