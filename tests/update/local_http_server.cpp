#include "update/local_http_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace kestrel::test {

namespace {

constexpr int kPollMs = 20;

int boundSocket(int& port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    socklen_t len = sizeof addr;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    port = ntohs(addr.sin_port);
    return fd;
}

bool readable(int fd) {
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, kPollMs) > 0;
}

} // namespace

LocalHttpServer::LocalHttpServer(std::string response, bool silent)
    : response_(std::move(response)), silent_(silent) {
    listenFd_ = boundSocket(port_);
    ::listen(listenFd_, 8);
    thread_ = std::thread([this] { serve(); });
}

LocalHttpServer::~LocalHttpServer() {
    stop_ = true;
    thread_.join();
    ::close(listenFd_);
}

std::string LocalHttpServer::ok(const std::string& body) {
    return "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
           std::to_string(body.size()) + "\r\n\r\n" + body;
}

std::string LocalHttpServer::url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

std::vector<std::string> LocalHttpServer::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

void LocalHttpServer::serve() {
    while (!stop_) {
        if (!readable(listenFd_)) continue;
        const int client = ::accept(listenFd_, nullptr, nullptr);
        if (client < 0) continue;
        std::string head;
        char buf[1024];
        while (!stop_ && head.find("\r\n\r\n") == std::string::npos) {
            if (!readable(client)) continue;
            const ssize_t n = ::recv(client, buf, sizeof buf, 0);
            if (n <= 0) break;
            head.append(buf, static_cast<std::size_t>(n));
        }
        {
            std::lock_guard lock(mutex_);
            requests_.push_back(head);
        }
        if (silent_) {
            while (!stop_) readable(client); // hold the connection open, say nothing
        } else {
            std::size_t sent = 0;
            while (sent < response_.size()) {
                const ssize_t n =
                    ::send(client, response_.data() + sent, response_.size() - sent, MSG_NOSIGNAL);
                if (n <= 0) break;
                sent += static_cast<std::size_t>(n);
            }
        }
        ::close(client);
    }
}

int refusingPort() {
    int port = 0;
    const int fd = boundSocket(port);
    ::close(fd); // bound but never listening, then released: connections are refused
    return port;
}

} // namespace kestrel::test
