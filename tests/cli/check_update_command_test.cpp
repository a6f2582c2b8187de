// `kestrel-cli check-update`, run as a program against a real HTTP server on 127.0.0.1.
#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>

#include "update/local_http_server.h"

using kestrel::test::LocalHttpServer;

namespace {

struct CliRun {
    int status = -1;
    std::string out;
};

CliRun checkUpdate(const std::string& args) {
    const std::string cmd =
        std::string(KESTREL_BIN_DIR) + "/kestrel-cli check-update " + args + " 2>/dev/null";
    CliRun r;
    std::FILE* p = ::popen(cmd.c_str(), "r");
    if (!p) return r;
    char buf[1024];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) r.out.append(buf, n);
    const int st = ::pclose(p);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return r;
}

} // namespace

TEST(CheckUpdateCommand, PrintsTheResultTextForTheGivenPage) {
    LocalHttpServer newer(LocalHttpServer::ok("<html><body>5.3</body></html>"));
    const CliRun a = checkUpdate("--url '" + newer.url() + "'");
    EXPECT_EQ(a.status, 0);
    EXPECT_EQ(a.out, "An update is available! 5.3\n");
    LocalHttpServer same(LocalHttpServer::ok("<html><body>5.1</body></html>"));
    const CliRun b = checkUpdate("--url '" + same.url() + "'");
    EXPECT_EQ(b.status, 0);
    EXPECT_EQ(b.out, "No update available.\n");
}

TEST(CheckUpdateCommand, UnknownArgumentIsAUsageError) {
    const CliRun r = checkUpdate("--bogus");
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.out.empty());
}
