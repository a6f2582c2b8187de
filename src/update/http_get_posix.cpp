// The POSIX side of the update check's GET: non-blocking sockets and poll() against one
// deadline, so neither a dead server nor a silent one can hold the window.
#include "update/http_get.h"

#include <cerrno>
#include <cstring>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace kestrel {

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::size_t kHeadLimit = 16 * 1024;

class Socket {
  public:
    explicit Socket(int fd) : fd_(fd) {}
    ~Socket() {
        if (fd_ >= 0) ::close(fd_);
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    int fd() const { return fd_; }

  private:
    int fd_;
};

int msLeft(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

// Waits for the socket to become ready; false when the deadline passed first.
bool waitFor(int fd, short events, Clock::time_point deadline) {
    pollfd p{fd, events, 0};
    for (;;) {
        const int left = msLeft(deadline);
        if (left == 0) return false;
        const int n = ::poll(&p, 1, left);
        if (n > 0) return true;
        if (n == 0) return false;
        if (errno != EINTR) return false;
    }
}

int connectTo(const HttpUrl& url, Clock::time_point deadline, std::string& error) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV;
    addrinfo* found = nullptr;
    if (const int rc = ::getaddrinfo(url.host.c_str(), url.port.c_str(), &hints, &found); rc != 0) {
        error = std::string("cannot resolve ") + url.host + ": " + ::gai_strerror(rc);
        return -1;
    }
    error = "cannot connect to " + url.host;
    int connected = -1;
    for (addrinfo* a = found; a && connected < 0; a = a->ai_next) {
        const int fd =
            ::socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol);
        if (fd < 0) continue;
        if (::connect(fd, a->ai_addr, a->ai_addrlen) == 0) {
            connected = fd;
            break;
        }
        if (errno == EINPROGRESS && waitFor(fd, POLLOUT, deadline)) {
            int soError = 0;
            socklen_t len = sizeof soError;
            if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &soError, &len) == 0 && soError == 0) {
                connected = fd;
                break;
            }
            error += std::string(": ") + std::strerror(soError);
        } else if (msLeft(deadline) == 0) {
            error += ": timed out";
        } else {
            error += std::string(": ") + std::strerror(errno);
        }
        ::close(fd);
    }
    ::freeaddrinfo(found);
    return connected;
}

bool sendAll(int fd, const std::string& data, Clock::time_point deadline) {
    std::size_t sent = 0;
    while (sent < data.size()) {
        const ssize_t n = ::send(fd, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) {
            if (!waitFor(fd, POLLOUT, deadline)) return false;
        } else {
            return false;
        }
    }
    return true;
}

// Status code of "HTTP/1.x NNN reason"; 0 when the line is not one.
int statusOf(const std::string& head) {
    if (head.compare(0, 5, "HTTP/") != 0) return 0;
    const std::size_t blank = head.find(' ');
    if (blank == std::string::npos || blank + 4 > head.size()) return 0;
    int code = 0;
    for (std::size_t i = blank + 1; i < blank + 4; ++i) {
        if (head[i] < '0' || head[i] > '9') return 0;
        code = code * 10 + (head[i] - '0');
    }
    return code;
}

} // namespace

HttpResult httpGet(std::string_view address, const HttpOptions& options) {
    HttpResult result;
    const auto url = parseHttpUrl(address);
    if (!url) {
        result.error = "not an http:// address: " + std::string(address);
        return result;
    }
    const Clock::time_point deadline = Clock::now() + options.timeout;
    const int fd = connectTo(*url, deadline, result.error);
    if (fd < 0) return result;
    const Socket socket(fd);

    const std::string host = url->port == "80" ? url->host : url->host + ":" + url->port;
    const std::string request = "GET " + url->path + " HTTP/1.0\r\nHost: " + host +
                                "\r\nUser-Agent: " + options.userAgent +
                                "\r\nAccept: */*\r\nCache-Control: no-cache\r\nPragma: no-cache"
                                "\r\nConnection: close\r\n\r\n";
    if (!sendAll(fd, request, deadline)) {
        result.error = "cannot send the request";
        return result;
    }

    // Read until the head is complete and then the body reaches its limit or the page ends.
    std::string data;
    std::size_t bodyStart = std::string::npos;
    char chunk[4096];
    for (;;) {
        if (bodyStart != std::string::npos && data.size() - bodyStart >= options.maxBody) break;
        if (!waitFor(fd, POLLIN, deadline)) {
            result.error = "no answer within the time limit";
            break;
        }
        const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) continue;
        if (n <= 0) break; // end of the page (or a reset: what arrived still counts)
        data.append(chunk, static_cast<std::size_t>(n));
        if (bodyStart == std::string::npos) {
            if (const auto end = data.find("\r\n\r\n"); end != std::string::npos)
                bodyStart = end + 4;
            else if (const auto bare = data.find("\n\n"); bare != std::string::npos)
                bodyStart = bare + 2;
            else if (data.size() > kHeadLimit) {
                result.error = "response head too long";
                return result;
            }
        }
    }
    if (bodyStart == std::string::npos) {
        if (result.error.empty()) result.error = "no complete answer";
        return result;
    }
    result.status = statusOf(data);
    result.body = data.substr(bodyStart, options.maxBody);
    result.ok = result.status >= 200 && result.status < 300;
    if (!result.ok) result.error = "server answered " + std::to_string(result.status);
    return result;
}

} // namespace kestrel
