#include "update/http_get.h"
#include "update/messages.h"

namespace kestrel {

namespace {

std::string limitText(std::chrono::milliseconds limit) {
    const auto ms = limit.count();
    return ms % 1000 == 0 ? std::to_string(ms / 1000) + " s" : std::to_string(ms) + " ms";
}

} // namespace

std::string failureText(const HttpFailure& failure, std::chrono::milliseconds timeout) {
    using Kind = HttpFailure::Kind;
    const std::string& host = failure.host;
    switch (failure.kind) {
    case Kind::BadAddress:
        return std::string(kBadAddress) + host;
    case Kind::CannotResolve:
        return std::string(kCannotResolve) + host;
    case Kind::CannotConnect:
        return std::string(kCannotConnect) + host;
    case Kind::TimedOut:
        return std::string(kTimedOut) + limitText(timeout);
    case Kind::UntrustedCertificate:
        return std::string(kUntrustedCertificate) + failure.detail;
    case Kind::SecureConnectionFailed:
        return std::string(kSecureConnectionFailed) + failure.detail;
    case Kind::UnreadableCertificateFile:
        return std::string(kUnreadableCertificateFile) + failure.detail;
    case Kind::TooManyRedirects:
        return std::string(kTooManyRedirects);
    case Kind::BadAnswer:
        break;
    }
    const std::string text = std::string(kBadAnswer) + host;
    return failure.detail.empty() ? text : text + ": " + failure.detail;
}

} // namespace kestrel
