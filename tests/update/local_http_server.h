#pragma once
// A real HTTP server on 127.0.0.1 for the update tests: listens on an ephemeral port in its own
// thread and answers every request with one canned response, or, when silent, accepts and never
// answers. It stops by itself when destroyed.
#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace kestrel::test {

class LocalHttpServer {
  public:
    // A full response (status line, head and body) sent to every request.
    explicit LocalHttpServer(std::string response, bool silent = false);
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    // "HTTP/1.0 200 OK" with the body.
    static std::string ok(const std::string& body);

    int port() const { return port_; }
    std::string url(const std::string& path = "/version.html") const;
    // The request heads received so far.
    std::vector<std::string> requests() const;

  private:
    void serve();

    std::string response_;
    bool silent_;
    int listenFd_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<std::string> requests_;
    std::thread thread_;
};

// A port on 127.0.0.1 where nothing listens (connections are refused).
int refusingPort();

} // namespace kestrel::test
