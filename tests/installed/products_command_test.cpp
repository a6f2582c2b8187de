// `kestrel-cli products` run as a program on a fake Wine prefix.
#include <string>

#include <gtest/gtest.h>

#include "base/files.h"
#include "base/text.h"
#include "installed/install_fixture.h"
#include "support/run_program.h"

namespace kestrel::installed {
namespace {

test::ProgramRun runProducts(const test::FakeInstall& fake, const std::string& args) {
    return test::runShell("WINEPREFIX='" + fake.prefix() + "' HOME='" + fake.root() +
                          "/home' USER=kestrel-nobody " +
                          test::cliCommand("products " + args + " 2>/dev/null"));
}

class ProductsCommand : public ::testing::Test {
  protected:
    void SetUp() override {
        fake.writeSystemReg(
            "[Software\\\\Wow6432Node\\\\Garmin\\\\MapSource\\\\Families\\\\F\\\\1]\n"
            "\"Loc\"=\"C:\\\\Garmin\\\\Lakes\\\\\"\n"
            "\"Tdb\"=\"C:\\\\Garmin\\\\Lakes\\\\kestrel_lakes.tdb\"\n");
        fake.installMap(fake.driveC("Garmin/Lakes"), test::lakesTdb());
        fake.installPackage("Topo \"Alps\".gmap", test::hillsTdb(), "");
    }
    test::FakeInstall fake;
};

TEST_F(ProductsCommand, ListsNameFamilySourceAndFolderAsTextOrJson) {
    const std::string lakes = test::canon(fake.driveC("Garmin/Lakes"));
    const std::string topo = fake.driveC("ProgramData/Garmin/Maps/Topo \"Alps\".gmap/Product1");
    const test::ProgramRun text = runProducts(fake, "");
    EXPECT_EQ(text.status, 0);
    EXPECT_EQ(text.out, "Kestrel Lakes\t888\tfamilies\t" + lakes + "\nTopo \"Alps\"\t889\tgmap\t" +
                            topo + "\n");
    const test::ProgramRun json = runProducts(fake, "--json");
    EXPECT_EQ(json.status, 0);
    EXPECT_EQ(json.out, "[\n {\"name\": \"Kestrel Lakes\", \"folder\": \"" + lakes +
                            "\", \"family_id\": 888, \"source\": \"families\"},\n"
                            " {\"name\": \"Topo \\\"Alps\\\"\", \"folder\": \"" +
                            replaceAll(topo, "\"", "\\\"") +
                            "\", \"family_id\": 889, \"source\": \"gmap\"}\n]\n");
}

TEST(ProductsCommandText, CodePageNamesAreReadAsLatin1InJson) {
    test::FakeInstall fake;
    fake.writeSystemReg("[Software\\\\Garmin\\\\MapSource\\\\Families\\\\F]\n"
                        "\"Tdb\"=\"C:\\\\K\\\\k.tdb\"\n");
    std::string tdb = readFile(test::lakesTdb()).value();
    tdb[9] = '\xC4'; // "\xC4" "estrel Lakes": the K becomes an A with diaeresis (code page 1252)
    test::writeText(fake.driveC("K/k.tdb"), tdb);
    const test::ProgramRun r = runProducts(fake, "--json");
    EXPECT_EQ(r.out, "[\n {\"name\": \"\\u00c4estrel Lakes\", \"folder\": \"" +
                         test::canon(fake.driveC("K")) +
                         "\", \"family_id\": 888, \"source\": \"families\"}\n]\n");
}

TEST(ProductsCommandEmpty, NothingInstalledPrintsAnEmptyListAndUnknownOptionsAreRefused) {
    test::FakeInstall fake;
    for (const auto& [args, status, out] :
         {std::tuple{"--json", 0, "[]\n"}, {"", 0, ""}, {"--bogus", 2, ""}}) {
        const test::ProgramRun r = runProducts(fake, args);
        EXPECT_EQ(r.status, status) << args;
        EXPECT_EQ(r.out, out) << args;
    }
}

} // namespace
} // namespace kestrel::installed
