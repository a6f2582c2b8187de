// `kestrel-cli check-update`, run as a program against a real HTTP(S) server on 127.0.0.1:
// arguments and environment -> exit status, stdout, stderr.
#include <gtest/gtest.h>
#include <string>

#include "support/run_program.h"
#include "support/temp_dir.h"
#include "update/local_http_server.h"

namespace kestrel::test {

TEST(CheckUpdateCommand, SaysWhatHappened) {
    using Mode = LocalHttpServer::Mode;
    const LocalHttpServer server(LocalHttpServer::Pages{
        {"/newer", LocalHttpServer::ok("<html><body>5.3</body></html>")},
        {"/same", LocalHttpServer::ok("<html><body>5.1</body></html>")},
        // Escape sequences that would retitle and clear the terminal.
        {"/escapes", LocalHttpServer::ok("<body>6\x1b]0;pwned\x07\x1b[2J")}});
    LocalHttpServer secure(LocalHttpServer::ok("<body>5.2"), Mode::Https);
    const std::string refused = "http://127.0.0.1:" + std::to_string(refusingPort()) + "/";
    const Environment trust{{"CURL_CA_BUNDLE", ""}, {"SSL_CERT_FILE", secure.certificate()}};
    const TempDir folder;
    const std::string missing = folder.file("missing.pem");
    struct Case {
        Environment env;
        std::string args;
        int status;
        std::string out, err;
    };
    const auto failed = [](const std::string& why) {
        return "kestrel-cli: could not check: " + why + "\n";
    };
    const std::string https = "--url " + secure.url(),
                      unreadable = "certificate file not readable: ";
    // A certificate file that cannot be read is named with its variable.
    const Environment untrusted{{"CURL_CA_BUNDLE", ""}, {"SSL_CERT_FILE", ""}};
    const Environment sslMissing{{"CURL_CA_BUNDLE", secure.certificate()},
                                 {"SSL_CERT_FILE", missing}};
    const Environment bothUnreadable{{"CURL_CA_BUNDLE", missing}, {"SSL_CERT_FILE", folder.path()}};
    const Case cases[] = {
        {{}, "--url " + server.url("/newer"), 0, "update available: 5.3\n", ""},
        {{}, "--url " + server.url("/same"), 0, "up to date\n", ""},
        {trust, https, 0, "update available: 5.2\n", ""},
        {untrusted, https, 1, "", failed("certificate not trusted: self-signed certificate")},
        {sslMissing, https, 1, "", failed(unreadable + missing + " (SSL_CERT_FILE)")},
        {bothUnreadable, https, 1, "",
         failed(unreadable + missing + " (CURL_CA_BUNDLE), " + folder.path() + " (SSL_CERT_FILE)")},
        {{}, "--url " + server.url("/missing"), 1, "", failed("HTTP 404")},
        {{}, "--url " + server.url("/escapes"), 1, "", failed("not a version page")},
        {{}, "--url " + refused, 1, "", failed("cannot connect to 127.0.0.1")},
        {{}, "--url ftp://x/", 1, "", failed("not an http or https address: ftp://x/")},
        {{},
         "--bogus",
         2,
         "",
         "kestrel-cli: The following argument was not expected: --bogus\n"
         "kestrel-cli: see kestrel-cli check-update --help\n"},
    };
    for (const Case& c : cases) {
        const ProgramRun r = runCli(words("check-update " + c.args), c.env);
        EXPECT_EQ(r.status, c.status) << c.args;
        EXPECT_EQ(r.out, c.out) << c.args;
        EXPECT_EQ(r.err, c.err) << c.args;
    }
}

} // namespace kestrel::test
