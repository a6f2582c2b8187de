#pragma once
// A real HTTP or HTTPS server on 127.0.0.1 for the update tests: local_http_server.py in its own
// process, listening on an ephemeral port. It answers each of its pages with a canned response
// (404 elsewhere). It stops when destroyed, and by itself if the test process dies. It runs on
// the build machine's side only (see loopback.h for what the Windows tests use).
#include <string>
#include <utility>
#include <vector>

#include "support/temp_dir.h"
#include "update/loopback.h"

namespace kestrel::test {

class LocalHttpServer {
  public:
    enum class Mode { Http, Https };
    // Further pages: a path and the full response (status line, head and body) sent for it.
    using Pages = std::vector<std::pair<std::string, std::string>>;

    explicit LocalHttpServer(const Pages& pages, Mode mode = Mode::Http);
    // One page, at /version.html.
    explicit LocalHttpServer(const std::string& response, Mode mode = Mode::Http)
        : LocalHttpServer(Pages{{"/version.html", response}}, mode) {}
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    // "HTTP/1.1 200 OK" with the body; a response of "ECHO" sends the request head back.
    static std::string ok(const std::string& body);
    // A 302 to the given path.
    static std::string redirect(const std::string& path);

    int port() const { return port_; }
    std::string url(const std::string& path = "/version.html") const;
    // The server's self-signed certificate (Https modes), for SSL_CERT_FILE or CURL_CA_BUNDLE.
    std::string certificate() const { return folder_.file("cert.pem"); }

  private:
    TempDir folder_;
    bool https_;
    int pid_ = -1;
    int stdinFd_ = -1;
    int port_ = 0;
};

} // namespace kestrel::test
