#include "update/update_check.h"

#include <chrono>
#include <gtest/gtest.h>

#include "app/session.h"
#include "support/fake_ui.h"
#include "update/loopback.h"

using namespace kestrel;
using std::chrono::milliseconds;

namespace {

std::string check(const std::string& url, milliseconds timeout = kCheckTimeout) {
    test::FakeUi ui;
    return resultText(checkUpdate(url, kVersion, ui, timeout));
}

const std::string kNotAPage = "Could not check for updates: not a version page";

} // namespace

TEST(ReadVersionPage, TextAfterTheFirstBodyDecides) {
    const std::pair<std::string, std::string> cases[] = {
        {"<html><body>5 . 3</body></html>" + std::string(960, ' '), "An update is available! 5.3"},
        {"<body>5.1</body>", "No update available."},
        {"<body>5.0</body>", "No update available."},
        {"<body>5.11</body>", "An update is available! 5.11"},
        // Letters after the number stay, and the text runs to the end when no "</" follows.
        {"<body>6.0 beta</body>", "An update is available! 6.0beta"},
        {"<body>6.0   ", "An update is available! 6.0"},
        {"<body>\r\n5.2\r\n</body>", "An update is available! 5.2"},
        {"<body>5.2<body>9.0", "An update is available! 5.2"},
        {"<body>" + std::string(32, '7'), "An update is available! " + std::string(32, '7')},
        {"<body>" + std::string(33, '7'), kNotAPage},
        // Nothing but digits, dots and letters reaches a terminal or a window.
        {"<body>6\x1b]0;pwned\x07\x1b[2J</body>", kNotAPage},
        {"<body>6.0<h1>HACKED<br><a href=http://evil>click_here", kNotAPage},
        {"<body>6.0-rc1</body>", kNotAPage},
        {std::string(1000, ' '), kNotAPage},
        {"<html>5.9</html>", kNotAPage},
        {"<body>soon</body>", kNotAPage},
        {"<body></body>", kNotAPage},
    };
    for (const auto& [page, text] : cases)
        EXPECT_EQ(resultText(readVersionPage(page, 5.1f)), text) << page;
}

// Every address here stays on this machine.
TEST(UpdateCheck, UnusableAddressesCouldNotBeChecked) {
    const std::string refused = "http://127.0.0.1:" + std::to_string(test::refusingPort()) + "/";
    const std::pair<std::string, std::string> cases[] = {
        {refused, "Could not check for updates: cannot connect to 127.0.0.1"},
        {"ftp://127.0.0.1/v",
         "Could not check for updates: not an http or https address: ftp://127.0.0.1/v"},
        {"127.0.0.1/v", "Could not check for updates: not an http or https address: 127.0.0.1/v"},
        {"", "Could not check for updates: not an http or https address: "},
    };
    for (const auto& [url, text] : cases) EXPECT_EQ(check(url), text);
}

// A server that takes the connection and never answers, in plain HTTP and in the TLS handshake:
// the limit set is the one that ends the check.
TEST(UpdateCheck, TheTimeLimitEndsAnExchangeThatStalls) {
    const test::SilentListener silent;
    const std::string address = "127.0.0.1:" + std::to_string(silent.port()) + "/version.html";
    for (const std::string scheme : {"http://", "https://"})
        EXPECT_EQ(check(scheme + address, milliseconds(800)),
                  "Could not check for updates: timed out after 800 ms")
            << scheme;
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
