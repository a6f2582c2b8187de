// `kestrel-cli products` run as a program on a fake Wine prefix.
#include <string>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "base/files.h"
#include "base/text.h"
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

// A name from the disk with terminal controls and bytes that are not UTF-8: escaped in the text,
// escaped and read as Latin-1 in JSON that parses.
TEST(ProductsCommandText, ControlsAndBrokenUtf8FromTheDiskAreEscaped) {
    test::FakeInstall fake;
    const std::string name = "K\x1B]0;x\x07\xC2\x9B\xC0\xAF";
    const std::string folder = fake.installPackage(name + ".gmap", test::hillsTdb(), "");
    const std::string shown = "K\\x1B]0;x\\x07\\xC2\\x9B\xC0\xAF";
    const test::ProgramRun text = runProducts(fake, "");
    EXPECT_EQ(text.out, shown + "\t889\tgmap\t" + replaceAll(folder, name, shown) + "/Product1\n");
    const test::ProgramRun json = runProducts(fake, "--json");
    EXPECT_EQ(json.out.find('\x1B'), std::string::npos);
    const auto parsed = nlohmann::json::parse(json.out, nullptr, false);
    ASSERT_TRUE(parsed.is_array()) << json.out;
    EXPECT_EQ(parsed[0]["name"], "K\x1B]0;x\x07\xC3\x82\xC2\x9B\xC3\x80\xC2\xAF");
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
