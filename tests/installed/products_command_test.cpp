// `kestrel-cli products` run as a program on a fake Wine prefix.
#include <string>

#include <gtest/gtest.h>

#include "base/files.h"
#include "installed/install_fixture.h"
#include "support/run_program.h"

namespace kestrel::installed {
namespace {

test::ProgramRun runProducts(const test::FakeInstall& fake, const std::string& args) {
    return test::runCli(test::words("products " + args), {{"WINEPREFIX", fake.prefix()},
                                                          {"HOME", fake.root() + "/home"},
                                                          {"USER", "kestrel-nobody"}});
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

TEST_F(ProductsCommand, ListsNameFamilySourceAndFolder) {
    const test::ProgramRun r = runProducts(fake, "");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Kestrel Lakes\t888\tfamilies\t" + test::canon(fake.driveC("Garmin/Lakes")) +
                         "\nTopo \"Alps\"\t889\tgmap\t" +
                         fake.driveC("ProgramData/Garmin/Maps/Topo \"Alps\".gmap/Product1") + "\n");
}

TEST_F(ProductsCommand, JsonListsTheSameProducts) {
    const test::ProgramRun r = runProducts(fake, "--json");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "[\n {\"name\": \"Kestrel Lakes\", \"folder\": \"" +
                         test::canon(fake.driveC("Garmin/Lakes")) +
                         "\", \"family_id\": 888, \"source\": \"families\"},\n"
                         " {\"name\": \"Topo \\\"Alps\\\"\", \"folder\": \"" +
                         fake.driveC("ProgramData/Garmin/Maps/Topo \\\"Alps\\\".gmap/Product1") +
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
    EXPECT_EQ(runProducts(fake, "--json").out, "[]\n");
    const test::ProgramRun plain = runProducts(fake, "");
    EXPECT_EQ(plain.out, "");
    EXPECT_EQ(plain.status, 0);
    const test::ProgramRun bad = runProducts(fake, "--bogus");
    EXPECT_EQ(bad.out, "");
    EXPECT_EQ(bad.status, 2);
}

} // namespace
} // namespace kestrel::installed
