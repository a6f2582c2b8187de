#include "update/local_http_server.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace kestrel::test {

LocalHttpServer::LocalHttpServer(const Pages& pages, Mode mode) : https_(mode == Mode::Https) {
    std::vector<std::string> args{"python3", KESTREL_HTTP_SERVER_SCRIPT};
    if (https_) args.insert(args.end(), {"--tls", folder_.path()});
    for (const auto& [path, page] : pages) args.insert(args.end(), {path, page});
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    int toServer[2], fromServer[2];
    ::pipe2(toServer, O_CLOEXEC);
    ::pipe2(fromServer, O_CLOEXEC);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, toServer[0], 0);
    posix_spawn_file_actions_adddup2(&actions, fromServer[1], 1);
    pid_t pid = -1;
    if (posix_spawnp(&pid, "python3", &actions, nullptr, argv.data(), environ) == 0) pid_ = pid;
    posix_spawn_file_actions_destroy(&actions);
    ::close(toServer[0]);
    ::close(fromServer[1]);
    stdinFd_ = toServer[1];
    // The server's first line is its port.
    std::string line;
    char c;
    while (::read(fromServer[0], &c, 1) == 1 && c != '\n') line += c;
    ::close(fromServer[0]);
    port_ = std::atoi(line.c_str());
    if (port_ == 0) ADD_FAILURE() << "local_http_server.py did not start";
}

LocalHttpServer::~LocalHttpServer() {
    ::close(stdinFd_);
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }
}

std::string LocalHttpServer::ok(const std::string& body) {
    return "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
           std::to_string(body.size()) + "\r\n\r\n" + body;
}

std::string LocalHttpServer::redirect(const std::string& path) {
    return "HTTP/1.1 302 Found\r\nLocation: " + path + "\r\nContent-Length: 0\r\n\r\n";
}

std::string LocalHttpServer::url(const std::string& path) const {
    return (https_ ? "https://127.0.0.1:" : "http://127.0.0.1:") + std::to_string(port_) + path;
}

} // namespace kestrel::test
