#include "update/update_check.h"

#include <chrono>
#include <gtest/gtest.h>

#include "app/session.h"
#include "support/fake_ui.h"
#include "update/local_http_server.h"
#include "update/messages.h"

using namespace kestrel;
using test::LocalHttpServer;
using Clock = std::chrono::steady_clock;

namespace {

const std::string kNo(kNoUpdate);

std::string check(const std::string& url, std::chrono::milliseconds timeout = kCheckTimeout) {
    test::FakeUi ui;
    return checkUpdate(url, kVersion, ui, timeout);
}

} // namespace

TEST(VersionResult, VersionWithBlanksBeforeMarkupIsAnUpdate) {
    std::string buffer(1000, ' ');
    buffer.replace(0, 40, "<html><body>5 . 3</body></html>        ");
    EXPECT_EQ(versionResult(buffer, 5.1f), "An update is available! 5.3");
}

TEST(VersionResult, EqualOrLowerVersionIsNoUpdate) {
    EXPECT_EQ(versionResult("<body>5.1</body>", 5.1f), kNo);
    EXPECT_EQ(versionResult("<body>5.0</body>", 5.1f), kNo);
    EXPECT_EQ(versionResult("<body>5.11</body>", 5.1f), "An update is available! 5.11");
}

TEST(VersionResult, MissingBodyOrNumberIsNoUpdate) {
    EXPECT_EQ(versionResult(std::string(1000, ' '), 5.1f), kNo);
    EXPECT_EQ(versionResult("<html>5.9</html>", 5.1f), kNo);
    EXPECT_EQ(versionResult("<body>soon</body>", 5.1f), kNo);
    EXPECT_EQ(versionResult("<body></body>", 5.1f), kNo);
}

TEST(VersionResult, OnlyTheFirstBodyCountsAndTrailingTextStays) {
    // The version text is everything up to "</", blanks removed: letters after the number stay.
    EXPECT_EQ(versionResult("<body>6.0 beta</body>", 5.1f), "An update is available! 6.0beta");
    // The text runs to the end of the buffer when no "</" follows.
    EXPECT_EQ(versionResult("<body>6.0   ", 5.1f), "An update is available! 6.0");
}

TEST(VersionResult, LineBreaksAroundTheNumberAreNotPartOfIt) {
    EXPECT_EQ(versionResult("<body>\r\n5.2\r\n</body>", 5.1f), "An update is available! 5.2");
}

TEST(UpdateCheck, AddressesComeFromTheSettingsOrTheDefaults) {
    UpdatePages s;
    EXPECT_EQ(updatePageUrl(s), kDefaultUpdatePageUrl);
    EXPECT_EQ(downloadUrl(s), kDefaultDownloadUrl);
    s.version = "http://example.test/v.txt";
    s.download = "http://example.test/get";
    EXPECT_EQ(updatePageUrl(s), "http://example.test/v.txt");
    EXPECT_EQ(downloadUrl(s), "http://example.test/get");
}

TEST(UpdateCheck, VersionTextHasALeadingBlank) {
    EXPECT_EQ(versionText(5.1f), " 5.1");
    EXPECT_EQ(versionText(5.0f), " 5");
}

TEST(UpdateCheck, NewerVersionOnTheServerIsReported) {
    LocalHttpServer server(LocalHttpServer::ok("<html><head></head><body>5 .3  </body></html>"));
    EXPECT_EQ(check(server.url()), "An update is available! 5.3");
}

TEST(UpdateCheck, SameVersionIsNoUpdate) {
    LocalHttpServer server(LocalHttpServer::ok("<html><body>5.1</body></html>"));
    EXPECT_EQ(check(server.url()), kNo);
}

TEST(UpdateCheck, VersionBeyondTheFirstThousandBytesIsNotSeen) {
    const std::string page =
        "<html><head>" + std::string(1100, 'x') + "</head><body>9.9</body></html>";
    LocalHttpServer server(LocalHttpServer::ok(page));
    EXPECT_EQ(check(server.url()), kNo);
}

TEST(UpdateCheck, VersionJustInsideTheFirstThousandBytesIsSeen) {
    // "7.0" ends at byte 1000.
    const std::string page =
        "<html><head>" + std::string(972, 'x') + "</head><body>7.0</body></html>";
    ASSERT_EQ(page.find("7.0") + 3, 1000u);
    LocalHttpServer server(LocalHttpServer::ok(page));
    EXPECT_EQ(check(server.url()), "An update is available! 7.0");
}

TEST(UpdateCheck, PageWithoutBodyIsNoUpdate) {
    LocalHttpServer server(LocalHttpServer::ok("5.9"));
    EXPECT_EQ(check(server.url()), kNo);
}

TEST(UpdateCheck, ErrorPageIsNoUpdateEvenWithANumber) {
    LocalHttpServer server("HTTP/1.0 404 Not Found\r\n\r\n<html><body>9.0</body></html>");
    EXPECT_EQ(check(server.url()), kNo);
}

TEST(UpdateCheck, SilentServerEndsWithinTheTimeLimit) {
    LocalHttpServer server("", /*silent=*/true);
    const auto start = Clock::now();
    EXPECT_EQ(check(server.url(), std::chrono::milliseconds(600)), kNo);
    const auto took = Clock::now() - start;
    EXPECT_LT(took, std::chrono::seconds(3));
    EXPECT_GE(took, std::chrono::milliseconds(500));
}

TEST(UpdateCheck, RefusedConnectionIsNoUpdate) {
    EXPECT_EQ(check("http://127.0.0.1:" + std::to_string(test::refusingPort()) + "/"), kNo);
}

TEST(UpdateCheck, RequestNamesTheAgentAndRefusesCachedCopies) {
    LocalHttpServer server(LocalHttpServer::ok("<body>5.1"));
    check(server.url("/v.html?x=1"));
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 1u);
    const std::string& r = requests.front();
    EXPECT_EQ(r.rfind("GET /v.html?x=1 HTTP/1.0\r\n", 0), 0u) << r;
    EXPECT_NE(r.find("\r\nUser-Agent: kestrel chk api\r\n"), std::string::npos);
    EXPECT_NE(r.find("\r\nCache-Control: no-cache\r\n"), std::string::npos);
    EXPECT_NE(r.find("\r\nPragma: no-cache\r\n"), std::string::npos);
    EXPECT_NE(r.find("\r\nHost: 127.0.0.1:" + std::to_string(server.port()) + "\r\n"),
              std::string::npos);
}

TEST(UpdateCheck, YieldsFourTimesAfterTheRead) {
    LocalHttpServer server(LocalHttpServer::ok("<body>5.1"));
    test::FakeUi ui;
    checkUpdate(server.url(), kVersion, ui);
    EXPECT_EQ(ui.yields, 4);
}

TEST(UpdateCheck, UnusableAddressIsNoUpdate) {
    EXPECT_EQ(check("ftp://127.0.0.1/v"), kNo);
    EXPECT_EQ(check(""), kNo);
}
