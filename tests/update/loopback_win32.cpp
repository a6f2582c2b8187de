#include <winsock2.h>

#include "update/loopback.h"

namespace kestrel::test {
namespace {

// A socket bound to an ephemeral port of 127.0.0.1, and that port.
SOCKET boundSocket(int& port) {
    static const bool started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    if (!started) return INVALID_SOCKET;
    const SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    int len = sizeof addr;
    ::getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len);
    port = ntohs(addr.sin_port);
    return s;
}

} // namespace

int refusingPort() {
    int port = 0;
    ::closesocket(boundSocket(port)); // bound but never listening, then released
    return port;
}

SilentListener::SilentListener() {
    const SOCKET s = boundSocket(port_);
    ::listen(s, 16);
    socket_ = static_cast<long long>(s);
}

SilentListener::~SilentListener() {
    ::closesocket(static_cast<SOCKET>(socket_));
}

} // namespace kestrel::test
