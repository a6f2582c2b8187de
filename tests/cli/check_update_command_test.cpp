// `kestrel-cli check-update`, run as a program against a real HTTP server on 127.0.0.1.
#include <gtest/gtest.h>
#include <string>

#include "support/run_program.h"
#include "update/local_http_server.h"

using kestrel::test::LocalHttpServer;

namespace {

kestrel::test::ProgramRun checkUpdate(const std::string& args) {
    return kestrel::test::runShell(
        kestrel::test::cliCommand("check-update " + args + " 2>/dev/null"));
}

} // namespace

TEST(CheckUpdateCommand, PrintsTheResultTextForTheGivenPage) {
    LocalHttpServer newer(LocalHttpServer::ok("<html><body>5.3</body></html>"));
    const kestrel::test::ProgramRun a = checkUpdate("--url '" + newer.url() + "'");
    EXPECT_EQ(a.status, 0);
    EXPECT_EQ(a.out, "An update is available! 5.3\n");
    LocalHttpServer same(LocalHttpServer::ok("<html><body>5.1</body></html>"));
    const kestrel::test::ProgramRun b = checkUpdate("--url '" + same.url() + "'");
    EXPECT_EQ(b.status, 0);
    EXPECT_EQ(b.out, "No update available.\n");
}

TEST(CheckUpdateCommand, UnknownArgumentIsAUsageError) {
    const kestrel::test::ProgramRun r = checkUpdate("--bogus");
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.out.empty());
}
