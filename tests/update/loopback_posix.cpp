#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "update/loopback.h"

namespace kestrel::test {
namespace {

// A socket bound to an ephemeral port of 127.0.0.1, and that port.
int boundSocket(int& port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    socklen_t len = sizeof addr;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    port = ntohs(addr.sin_port);
    return fd;
}

} // namespace

int refusingPort() {
    int port = 0;
    ::close(boundSocket(port)); // bound but never listening, then released
    return port;
}

SilentListener::SilentListener() {
    const int fd = boundSocket(port_);
    ::listen(fd, 16);
    socket_ = fd;
}

SilentListener::~SilentListener() {
    ::close(static_cast<int>(socket_));
}

} // namespace kestrel::test
