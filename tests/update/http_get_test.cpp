// The GET itself, against local_http_server.py: what it sends, how much it reads, and whose
// certificates it trusts.
#include "update/http_get.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>

#include "update/local_http_server.h"

using namespace kestrel;
using test::LocalHttpServer;

namespace {

// Sets (or, with nullopt, removes) an environment variable for one scope.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const std::optional<std::string>& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        value ? ::setenv(name, value->c_str(), 1) : ::unsetenv(name);
    }
    ~ScopedEnv() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

const HttpOptions kOptions{"kestrel chk api", std::chrono::milliseconds(3000), 1000, 3};

} // namespace

TEST(HttpGet, SendsTheAgentAndRefusesCachedCopiesByHttp11) {
    LocalHttpServer server(LocalHttpServer::Pages{{"/v.html?x=1", "ECHO"}});
    const HttpResult r = httpGet(server.url("/v.html?x=1#top"), kOptions);
    ASSERT_TRUE(std::holds_alternative<HttpPage>(r));
    const std::string& head = std::get<HttpPage>(r).body;
    EXPECT_EQ(head.rfind("GET /v.html?x=1 HTTP/1.1\r\n", 0), 0u) << head;
    const std::string lines[] = {"Host: 127.0.0.1:" + std::to_string(server.port()),
                                 "User-Agent: kestrel chk api", "Cache-Control: no-cache",
                                 "Pragma: no-cache"};
    for (const std::string& line : lines)
        EXPECT_NE(head.find("\r\n" + line + "\r\n"), std::string::npos) << line << " in " << head;
}

TEST(HttpGet, ReadsAtMostTheBodyLimit) {
    LocalHttpServer server(LocalHttpServer::ok(std::string(50000, 'a')));
    EXPECT_EQ(httpGet(server.url(), kOptions), HttpResult(HttpPage{200, std::string(1000, 'a')}));
}

// Either variable may name the file, and one set for other programs does not hide the other:
// the certificates of both count. An empty variable counts as none, and untrusted HTTPS and
// unreadable files are rows of the check-update command's test.
TEST(HttpGet, HttpsTrustsTheFilesNamedInTheEnvironment) {
    LocalHttpServer server(LocalHttpServer::ok("<body>5.3"), LocalHttpServer::Mode::Https);
    const LocalHttpServer other(LocalHttpServer::ok(""), LocalHttpServer::Mode::Https);
    using Env = std::optional<std::string>;
    const Env own = server.certificate(), foreign = other.certificate();
    const std::pair<Env, Env> cases[] = {
        {own, std::nullopt}, {std::nullopt, own}, {foreign, own}, {own, foreign}};
    for (const auto& [curlBundle, sslFile] : cases) {
        const ScopedEnv a("CURL_CA_BUNDLE", curlBundle);
        const ScopedEnv b("SSL_CERT_FILE", sslFile);
        EXPECT_EQ(httpGet(server.url(), kOptions), HttpResult(HttpPage{200, "<body>5.3"}))
            << curlBundle.value_or("-") << " " << sslFile.value_or("-");
    }
}
