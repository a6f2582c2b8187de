#include "update/http_get.h"

#include "base/text.h"

namespace kestrel {

std::optional<HttpUrl> parseHttpUrl(std::string_view url) {
    constexpr std::string_view kScheme = "http://";
    if (url.size() < kScheme.size() || lcase(url.substr(0, kScheme.size())) != kScheme)
        return std::nullopt;
    std::string_view rest = url.substr(kScheme.size());
    HttpUrl out;
    const std::size_t slash = rest.find_first_of("/?#");
    std::string_view authority = rest.substr(0, slash);
    if (slash != std::string_view::npos) {
        const std::string_view path = rest.substr(slash);
        out.path = path.front() == '/' ? std::string(path) : concat({"/", path});
        // The fragment never goes to the server.
        if (const auto hash = out.path.find('#'); hash != std::string::npos) out.path.resize(hash);
    }
    if (const auto colon = authority.rfind(':'); colon != std::string_view::npos) {
        const std::string_view port = authority.substr(colon + 1);
        if (port.empty() || port.size() > 5 ||
            port.find_first_not_of("0123456789") != std::string_view::npos)
            return std::nullopt;
        out.port = std::string(port);
        authority = authority.substr(0, colon);
    }
    // Host names and IPv4 addresses only; a blank or control character would break the request.
    if (authority.empty() ||
        authority.find_first_not_of(
            "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.-") !=
            std::string_view::npos)
        return std::nullopt;
    out.host = std::string(authority);
    for (char c : out.path)
        if (static_cast<unsigned char>(c) <= ' ' || c == 0x7f) return std::nullopt;
    return out;
}

} // namespace kestrel
