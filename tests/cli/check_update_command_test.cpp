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
    const Case cases[] = {
        {{}, "--url " + server.url("/newer"), 0, "update available: 5.3\n", ""},
        {{}, "--url " + server.url("/same"), 0, "up to date\n", ""},
        {trust, "--url " + secure.url(), 0, "update available: 5.2\n", ""},
        {{{"CURL_CA_BUNDLE", ""}, {"SSL_CERT_FILE", ""}},
         "--url " + secure.url(),
         1,
         "",
         "kestrel-cli: could not check: certificate not trusted: self-signed certificate\n"},
        // A certificate file that cannot be read is named with its variable.
        {{{"CURL_CA_BUNDLE", secure.certificate()}, {"SSL_CERT_FILE", missing}},
         "--url " + secure.url(),
         1,
         "",
         "kestrel-cli: could not check: certificate file not readable: " + missing +
             " (SSL_CERT_FILE)\n"},
        {{{"CURL_CA_BUNDLE", missing}, {"SSL_CERT_FILE", folder.path()}},
         "--url " + secure.url(),
         1,
         "",
         "kestrel-cli: could not check: certificate file not readable: " + missing +
             " (CURL_CA_BUNDLE), " + folder.path() + " (SSL_CERT_FILE)\n"},
        {{}, "--url " + server.url("/missing"), 1, "", "kestrel-cli: could not check: HTTP 404\n"},
        {{},
         "--url " + server.url("/escapes"),
         1,
         "",
         "kestrel-cli: could not check: not a version page\n"},
        {{},
         "--url " + refused,
         1,
         "",
         "kestrel-cli: could not check: cannot connect to 127.0.0.1\n"},
        {{},
         "--url ftp://x/",
         1,
         "",
         "kestrel-cli: could not check: not an http or https address: ftp://x/\n"},
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
