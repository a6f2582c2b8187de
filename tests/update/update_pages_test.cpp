// The update check through libcurl, on the build machine's side: against pages served by
// local_http_server.py, and a name its resolver refuses.
#include <gtest/gtest.h>

#include "app/session.h"
#include "support/fake_ui.h"
#include "update/local_http_server.h"
#include "update/update_check.h"

using namespace kestrel;
using test::LocalHttpServer;

namespace {

std::string check(const std::string& url) {
    test::FakeUi ui;
    return resultText(checkUpdate(url, kVersion, ui));
}

const std::string kNotAPage = "Could not check for updates: not a version page";

} // namespace

// The version the same, a missing page (404) and untrusted HTTPS are rows of the check-update
// command's test.
TEST(UpdateCheck, EveryWayAPageCanEnd) {
    using Server = LocalHttpServer;
    const std::string head = "<html><head>";
    struct Case {
        std::string path, response;
        std::string text; // what the check says begins with this; empty: not asked directly
    };
    const Case cases[] = {
        {"/a", Server::ok("<html><head></head><body>5 .3  </body></html>"),
         "An update is available! 5.3"},
        // Only the first 1000 bytes are read: "7.0" ends at byte 1000, "9.9" lies beyond.
        {"/c", Server::ok(head + std::string(972, 'x') + "</head><body>7.0</body>"),
         "An update is available! 7.0"},
        {"/d", Server::ok(head + std::string(1100, 'x') + "</head><body>9.9</body>"), kNotAPage},
        {"/e", Server::ok("5.9"), kNotAPage},
        {"/g", "nonsense without a head", "Could not check for updates: bad answer from 127.0.0.1"},
        {"/h", Server::redirect("/moved"), "An update is available! 5.2"},
        {"/moved", Server::ok("<body>5.2"), ""},
        {"/i", Server::redirect("/i"), "Could not check for updates: too many redirects"},
    };
    Server::Pages pages;
    for (const Case& c : cases) pages.emplace_back(c.path, c.response);
    const Server server(pages);
    for (const Case& c : cases) {
        if (c.text.empty()) continue;
        const std::string text = check(server.url(c.path));
        EXPECT_EQ(text.substr(0, c.text.size()), c.text) << c.path;
    }
}

TEST(UpdateCheck, YieldsFourTimesAfterTheRead) {
    LocalHttpServer server(LocalHttpServer::ok("<body>5.1"));
    test::FakeUi ui;
    checkUpdate(server.url(), kVersion, ui);
    EXPECT_EQ(ui.yields, 4);
}

// A label of 64 characters cannot be put into a DNS query, so the C library's resolver refuses
// the name itself, without asking any server (Windows' resolver gives no such promise: it may
// send the name out and wait).
TEST(UpdateCheck, AnUnresolvableNameIsNamed) {
    const std::string unresolvable = std::string(64, 'k') + ".invalid";
    EXPECT_EQ(check("http://" + unresolvable + "/v"),
              "Could not check for updates: cannot resolve " + unresolvable);
}
