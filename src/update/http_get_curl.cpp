// The update check's GET through libcurl (Linux, macOS). libcurl is loaded on the first check, not
// linked: with the thirty libraries it needs it would cost every start of the programs about 6 ms
// of processor time, which a scan from the command line never uses.
#include <algorithm>
#include <cstdlib>
#include <curl/curl.h>
#include <dlfcn.h>
#include <memory>
#include <optional>
#include <vector>

#include "base/files.h"
#include "base/text.h"
#include "update/http_get.h"

namespace kestrel {

namespace {

using Kind = HttpFailure::Kind;

// The functions used.
struct Curl {
    decltype(&curl_global_init) globalInit;
    decltype(&curl_easy_init) easyInit;
    decltype(&curl_easy_cleanup) easyCleanup;
    decltype(&curl_easy_setopt) setopt;
    decltype(&curl_easy_perform) perform;
    decltype(&curl_easy_getinfo) getinfo;
    decltype(&curl_easy_strerror) strerror;
    decltype(&curl_url) url;
    decltype(&curl_url_set) urlSet;
    decltype(&curl_url_get) urlGet;
    decltype(&curl_url_cleanup) urlCleanup;
    decltype(&curl_slist_append) slistAppend;
    decltype(&curl_slist_free_all) slistFreeAll;
    decltype(&curl_free) free;
};

template <class F> bool bind(void* library, const char* name, F& function) {
    function = reinterpret_cast<F>(dlsym(library, name));
    return function != nullptr;
}

std::optional<Curl> loadCurl() {
    void* library = nullptr;
    for (const char* file : {"libcurl.so.4", "libcurl.4.dylib"})
        if (!library) library = dlopen(file, RTLD_NOW | RTLD_LOCAL);
    if (!library) return std::nullopt;
    Curl c{};
    const bool all =
        bind(library, "curl_global_init", c.globalInit) &&
        bind(library, "curl_easy_init", c.easyInit) &&
        bind(library, "curl_easy_cleanup", c.easyCleanup) &&
        bind(library, "curl_easy_setopt", c.setopt) &&
        bind(library, "curl_easy_perform", c.perform) &&
        bind(library, "curl_easy_getinfo", c.getinfo) &&
        bind(library, "curl_easy_strerror", c.strerror) && bind(library, "curl_url", c.url) &&
        bind(library, "curl_url_set", c.urlSet) && bind(library, "curl_url_get", c.urlGet) &&
        bind(library, "curl_url_cleanup", c.urlCleanup) &&
        bind(library, "curl_slist_append", c.slistAppend) &&
        bind(library, "curl_slist_free_all", c.slistFreeAll) && bind(library, "curl_free", c.free);
    if (!all || c.globalInit(CURL_GLOBAL_DEFAULT) != CURLE_OK) return std::nullopt;
    return c; // the library stays loaded for the rest of the run
}

// libcurl, loaded and set up on the first call, or nothing when it is missing or did not start.
const Curl* curl() {
    static const std::optional<Curl> library = loadCurl();
    return library ? &*library : nullptr;
}

struct CurlFree {
    void operator()(CURL* c) const { curl()->easyCleanup(c); }
    void operator()(CURLU* u) const { curl()->urlCleanup(u); }
    void operator()(curl_slist* l) const { curl()->slistFreeAll(l); }
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

std::string urlPart(const Curl& k, CURLU* url, CURLUPart part) {
    char* text = nullptr;
    if (k.urlGet(url, part, &text, 0) != CURLUE_OK) return {};
    std::string out(text);
    k.free(text);
    return out;
}

// The scheme and host of an address; empty when the address is not http:// or https://.
struct HttpAddress {
    bool https = false;
    std::string host;
};

HttpAddress httpAddress(const Curl& k, const char* address) {
    const CurlOwned<CURLU> url(k.url());
    if (!url || k.urlSet(url.get(), CURLUPART_URL, address, 0) != CURLUE_OK) return {};
    const std::string scheme = urlPart(k, url.get(), CURLUPART_SCHEME);
    if (scheme != "http" && scheme != "https") return {};
    return {scheme == "https", urlPart(k, url.get(), CURLUPART_HOST)};
}

// The certificates of the files that CURL_CA_BUNDLE (the curl tool's variable) and SSL_CERT_FILE
// (OpenSSL's) name. libcurl reads neither variable itself, and one file alone would let a
// variable set for other programs hide the other: the certificates of both are trusted.
struct CertificateFiles {
    std::string pem;                     // every readable file, one after the other
    std::string firstFile;               // for a libcurl that takes no certificates from memory
    std::vector<std::string> unreadable; // "PATH (VARIABLE)"
};

CertificateFiles certificateFiles() {
    constexpr std::uint64_t kMaxFileSize = 16 << 20; // a full bundle is a few hundred kilobytes
    CertificateFiles files;
    for (const char* name : {"CURL_CA_BUNDLE", "SSL_CERT_FILE"}) {
        const char* file = std::getenv(name);
        if (!file || !*file) continue;
        if (const auto pem = readFile(file, kMaxFileSize)) {
            files.pem += *pem + "\n";
            if (files.firstFile.empty()) files.firstFile = file;
        } else {
            files.unreadable.push_back(std::string(file) + " (" + name + ")");
        }
    }
    return files;
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
    const std::string url(address);
    const Curl* library = curl();
    if (!library) return HttpFailure{Kind::BadAnswer, url, "libcurl could not start"};
    const Curl& k = *library;
    const HttpAddress target = httpAddress(k, url.c_str());
    const std::string& host = target.host;
    if (host.empty()) return HttpFailure{Kind::BadAddress, url, {}};
    // A file that cannot be read matters only where certificates are checked.
    CertificateFiles certificates = certificateFiles();
    if (target.https && !certificates.unreadable.empty())
        return HttpFailure{Kind::UnreadableCertificateFile, host,
                           join(certificates.unreadable, ", ")};
    const CurlOwned<CURL> handle(k.easyInit());
    if (!handle) return HttpFailure{Kind::BadAnswer, host, "libcurl could not start"};

    CURL* c = handle.get();
    const long ms = static_cast<long>(options.timeout.count());
    Body body{{}, options.maxBody};
    CurlOwned<curl_slist> headers(k.slistAppend(nullptr, "Cache-Control: no-cache"));
    headers.reset(k.slistAppend(headers.release(), "Pragma: no-cache"));
    char words[CURL_ERROR_SIZE] = {};
    k.setopt(c, CURLOPT_URL, url.c_str());
    k.setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    k.setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    k.setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
    k.setopt(c, CURLOPT_MAXREDIRS, options.maxRedirects);
    // The whole exchange, name lookup included (the threaded resolver lets the limit cut it).
    k.setopt(c, CURLOPT_TIMEOUT_MS, ms);
    k.setopt(c, CURLOPT_CONNECTTIMEOUT_MS, ms);
    k.setopt(c, CURLOPT_NOSIGNAL, 1L);
    k.setopt(c, CURLOPT_PROXY, ""); // direct access, whatever the environment says
    k.setopt(c, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    k.setopt(c, CURLOPT_USERAGENT, options.userAgent.c_str());
    k.setopt(c, CURLOPT_HTTPHEADER, headers.get());
    k.setopt(c, CURLOPT_WRITEFUNCTION, keepBody);
    k.setopt(c, CURLOPT_WRITEDATA, &body);
    k.setopt(c, CURLOPT_ERRORBUFFER, words);
    if (!certificates.pem.empty()) {
        curl_blob blob{certificates.pem.data(), certificates.pem.size(), CURL_BLOB_NOCOPY};
        if (k.setopt(c, CURLOPT_CAINFO_BLOB, &blob) != CURLE_OK)
            k.setopt(c, CURLOPT_CAINFO, certificates.firstFile.c_str());
    }

    const CURLcode code = k.perform(c);
    if (code != CURLE_OK && !(code == CURLE_WRITE_ERROR && body.full)) {
        // After redirects the server concerned is the last one asked.
        char* last = nullptr;
        k.getinfo(c, CURLINFO_EFFECTIVE_URL, &last);
        const std::string lastHost = last ? httpAddress(k, last).host : "";
        return failureOf(code, lastHost.empty() ? host : lastHost,
                         *words ? words : k.strerror(code));
    }
    long status = 0;
    k.getinfo(c, CURLINFO_RESPONSE_CODE, &status);
    return HttpPage{static_cast<int>(status), std::move(body.bytes)};
}

} // namespace kestrel
