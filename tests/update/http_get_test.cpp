#include "update/http_get.h"

#include <gtest/gtest.h>

#include "update/local_http_server.h"

using namespace kestrel;
using test::LocalHttpServer;

TEST(HttpUrl, SplitsHostPortAndPath) {
    const auto u = parseHttpUrl("http://www.example.org:8080/a/b.html?q=1#top");
    ASSERT_TRUE(u);
    EXPECT_EQ(u->host, "www.example.org");
    EXPECT_EQ(u->port, "8080");
    EXPECT_EQ(u->path, "/a/b.html?q=1");
    const auto bare = parseHttpUrl("HTTP://example.org");
    ASSERT_TRUE(bare);
    EXPECT_EQ(bare->port, "80");
    EXPECT_EQ(bare->path, "/");
    EXPECT_EQ(parseHttpUrl("http://example.org?x")->path, "/?x");
}

TEST(HttpUrl, RefusesOtherSchemesAndUnsafeText) {
    EXPECT_FALSE(parseHttpUrl("https://example.org/"));
    EXPECT_FALSE(parseHttpUrl("example.org"));
    EXPECT_FALSE(parseHttpUrl("http://"));
    EXPECT_FALSE(parseHttpUrl("http://exa mple.org/"));
    EXPECT_FALSE(parseHttpUrl("http://example.org/a b"));
    EXPECT_FALSE(parseHttpUrl("http://example.org/a\r\nX: y"));
    EXPECT_FALSE(parseHttpUrl("http://example.org:80x/"));
    EXPECT_FALSE(parseHttpUrl("http://example.org:/"));
}

TEST(HttpGet, ReadsAtMostTheBodyLimit) {
    LocalHttpServer server(LocalHttpServer::ok(std::string(5000, 'a')));
    HttpOptions o;
    o.maxBody = 1000;
    const HttpResult r = httpGet(server.url(), o);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.status, 200);
    EXPECT_EQ(r.body, std::string(1000, 'a'));
}

TEST(HttpGet, ShortPageComesWhole) {
    LocalHttpServer server(LocalHttpServer::ok("<body>5.3</body>"));
    const HttpResult r = httpGet(server.url(), HttpOptions{});
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.body, "<body>5.3</body>");
}

TEST(HttpGet, GarbageAnswerIsAFailure) {
    LocalHttpServer server("nonsense without a head");
    const HttpResult r = httpGet(server.url(), HttpOptions{});
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.empty());
}

TEST(HttpGet, RefusedConnectionSaysSo) {
    const HttpResult r =
        httpGet("http://127.0.0.1:" + std::to_string(test::refusingPort()) + "/", HttpOptions{});
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find("cannot connect"), std::string::npos) << r.error;
}
