#include "installed/product_scan.h"

#include <gtest/gtest.h>

#include "base/files.h"
#include "base/text.h"
#include "installed/install_fixture.h"
#include "installed/wine_registry.h"
#include "support/fake_ui.h"

namespace kestrel::installed {
namespace {

using test::canon;
using test::FakeInstall;

const std::vector<std::string> kGarmin{"Software\\Garmin", "Software\\Wow6432Node\\Garmin"};

// "name | source | family | folder" of each product, in list order.
std::vector<std::string> listed(const std::vector<InstalledProduct>& products) {
    std::vector<std::string> out;
    for (const auto& p : products)
        out.push_back(concat({p.name, " | ", sourceName(p.source), " | ",
                              p.familyId ? std::to_string(*p.familyId) : "-", " | ", p.folder}));
    return out;
}

class ProductScanTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // Each registry scan, the map-package folder and a mounted device find something; family
        // 888 is registered under three keys and as a map package.
        fake.writeSystemReg(readFile(test::fixtureDir() + "/installed/system.reg").value());
        fake.installMap(fake.driveC("Garmin/Lakes"), test::lakesTdb());
        fake.installMap(fake.driveC("Garmin/Hills"), test::hillsTdb());
        fake.installMap(fake.driveC("Garmin/Dunes"), test::dunesTdb());
        test::writeText(fake.driveC("Garmin/Dunes/D0001/D0001.gmp"), "GMP");
        fake.installMap(fake.driveC("Garmin/Fens.gmap/Product1"), test::fensTdb());
        fake.installMap(fake.driveC("Garmin/LakesPkg/Product1"), test::lakesTdb());
        fake.installPackage("Kestrel Lakes.gmap", test::lakesTdb(), "");
        fake.installPackage("Topo.gmap", test::hillsTdb(),
                            readFile(test::fixtureDir() + "/installed/topo_v2.xml").value());
        std::filesystem::remove(
            fake.driveC("ProgramData/Garmin/Maps/Topo.gmap/Product1/kestrel_hills.tdb"));
        test::makeFolder(fake.driveC("ProgramData/Garmin/Maps/NoProduct.gmap/Other"));
        test::copyFile(test::lakesImg(), fake.root() + "/media/kes/GARMIN/Garmin/gmapsupp.img");
        test::makeFolder(fake.root() + "/run/media/kes/STICK/Music");
        test::makeFolder(fake.root() + "/run/media/kes/EMPTY/Garmin");
    }

    std::vector<InstalledProduct> scan() {
        WineRegistry registry(fake.prefix(), kGarmin);
        ProductScanner scanner(&registry, fake.environment());
        return scanner.scanAll();
    }

    FakeInstall fake;
};

TEST_F(ProductScanTest, ListsEachSourceInScanOrderOncePerFamily) {
    // The 32-bit view of a key follows the native one; family 888 under Products, Installed and
    // as a map package is not listed again; Topo's family comes from Info.xml (it has no TDB).
    EXPECT_EQ(
        listed(scan()),
        (std::vector<std::string>{
            "Kestrel Lakes | families | 888 | " + canon(fake.driveC("Garmin/Lakes")),
            "Kestrel Hills | families | 889 | " + canon(fake.driveC("Garmin/Hills")),
            "Kestrel Dunes | familiesnt | 890 | " + canon(fake.driveC("Garmin/Dunes")),
            "Kestrel Fens | installed | 891 | " + canon(fake.driveC("Garmin/Fens.gmap")),
            "Topo | gmap | 3001 | " + fake.driveC("ProgramData/Garmin/Maps/Topo.gmap/Product1"),
            "GARMIN (device) | device | - | " + fake.root() + "/media/kes/GARMIN/Garmin"}));
}

TEST_F(ProductScanTest, ScansRunOneAtATimeWithTheGuardKept) {
    WineRegistry registry(fake.prefix(), kGarmin);
    ProductScanner scanner(&registry, fake.environment());
    scanner.get_regvals(2); // Products: family 888
    ASSERT_EQ(scanner.products().size(), 1u);
    EXPECT_EQ(scanner.products()[0].source, ProductSource::Products);
    scanner.get_regvals(0); // Families: 888 again, then 889
    ASSERT_EQ(scanner.products().size(), 2u);
    EXPECT_EQ(scanner.products()[1].name, "Kestrel Hills");
    scanner.get_regvals(kScanCount); // no such scan
    scanner.get_regvals(-1);
    EXPECT_EQ(scanner.products().size(), 2u);
    // A full run starts again from an empty list and guard.
    EXPECT_EQ(scanner.scanAll().size(), 6u);
}

TEST_F(ProductScanTest, MapPackageOfAFamilyNotInTheRegistryIsListedByItsFolderName) {
    std::filesystem::remove(fake.prefix() + "/system.reg");
    const std::string maps = fake.driveC("ProgramData/Garmin/Maps/");
    EXPECT_EQ(listed(scan()),
              (std::vector<std::string>{
                  "Kestrel Lakes | gmap | 888 | " + maps + "Kestrel Lakes.gmap/Product1",
                  "Topo | gmap | 3001 | " + maps + "Topo.gmap/Product1",
                  "GARMIN (device) | device | - | " + fake.root() + "/media/kes/GARMIN/Garmin"}));
}

TEST(ProductScan, NothingInstalledGivesAnEmptyList) {
    FakeInstall fake;
    WineRegistry registry(fake.prefix(), kGarmin);
    EXPECT_TRUE(ProductScanner(&registry, fake.environment()).scanAll().empty());
    EXPECT_TRUE(ProductScanner(nullptr, fake.environment()).scanAll().empty());
    test::FakeUi ui;
    EXPECT_TRUE(scanInstalledProducts(fake.environment(), ui).empty());
    EXPECT_TRUE(ui.messages.empty());
}

TEST(ProductScan, TdbFoundThroughTheProductDescriptionOrBesideARecordWithoutLoc) {
    FakeInstall fake;
    fake.writeSystemReg("[Software\\\\Garmin\\\\MapSource\\\\Products\\\\Hills]\n"
                        "\"Loc\"=\"C:\\\\Maps\\\\Hills\\\\\"\n"
                        "\"Tdb\"=\"C:\\\\Maps\\\\Hills\\\\moved.tdb\"\n"
                        "[Software\\\\Garmin\\\\MapSource\\\\Families\\\\F]\n"
                        "\"Typ\"=\"C:\\\\Maps\\\\Dunes\\\\x.typ\"\n"
                        "\"Index\"=\"C:\\\\Maps\\\\Dunes\\\\kestrel_dunes.TDB\"\n");
    test::copyFile(test::hillsTdb(), fake.driveC("Maps/Hills/Data/kestrel_hills.tdb"));
    test::writeText(fake.driveC("Maps/Hills/product.xml"),
                    "<MapProduct><ID>889</ID><SubProduct><ID>1</ID><TDB>kestrel_hills.tdb</TDB>"
                    "<Directory>Data</Directory></SubProduct></MapProduct>");
    fake.installMap(fake.driveC("Maps/Dunes"), test::dunesTdb());
    test::FakeUi ui;
    EXPECT_EQ(listed(scanInstalledProducts(fake.environment(), ui)),
              (std::vector<std::string>{
                  "Kestrel Dunes | families | 890 | " + canon(fake.driveC("Maps/Dunes")),
                  "Kestrel Hills | products | 889 | " + canon(fake.driveC("Maps/Hills"))}));
}

TEST(ProductScan, InstalledRecordNeedsItsProduct1Folder) {
    FakeInstall fake;
    fake.writeSystemReg("[Software\\\\Garmin\\\\Installed\\\\Fens]\n"
                        "\"Loc\"=\"C:\\\\Maps\\\\Fens\\\\\"\n\"Tdb\"=\"fens.tdb\"\n");
    fake.installMap(fake.driveC("Maps/Fens"), test::fensTdb()); // no Product1
    test::FakeUi ui;
    EXPECT_TRUE(scanInstalledProducts(fake.environment(), ui).empty());
}

TEST(ProductEnvironment, MapPackageFoldersPerPlatform) {
    ProductEnvironment env;
    env.home = "/Users/kes";
    env.fsRoot = "/tmp/root";
    env.wineprefix = "/p";
    env.platform = Platform::MacOS;
    EXPECT_EQ(mapPackageFolders(env),
              (std::vector<std::string>{"/Users/kes/Library/Application Support/Garmin/Maps",
                                        "/tmp/root/Library/Application Support/Garmin/Maps"}));
    env.platform = Platform::Linux;
    EXPECT_EQ(mapPackageFolders(env),
              std::vector<std::string>{"/p/drive_c/ProgramData/Garmin/Maps"});
    env.wineprefix.clear();
    EXPECT_EQ(env.winePrefix(), "/Users/kes/.wine");
    env.home.clear();
    EXPECT_TRUE(mapPackageFolders(env).empty());
    // Windows: ProgramData's map folder once it holds a package, else the usual path.
    FakeInstall fake;
    env.platform = Platform::Windows;
    env.programData = fake.root();
    EXPECT_EQ(mapPackageFolders(env), std::vector<std::string>{"c:\\programdata\\garmin\\maps"});
    test::makeFolder(fake.root() + "/Garmin/Maps/A.gmap");
    EXPECT_EQ(mapPackageFolders(env).size(), 1u);
    EXPECT_NE(mapPackageFolders(env)[0], "c:\\programdata\\garmin\\maps");
}

TEST(ProductEnvironment, DeviceVolumesPerPlatform) {
    FakeInstall fake;
    test::makeFolder(fake.root() + "/media/kes/B");
    test::makeFolder(fake.root() + "/media/kes/A");
    test::makeFolder(fake.root() + "/run/media/kes/C");
    test::makeFolder(fake.root() + "/Volumes/D");
    ProductEnvironment env = fake.environment();
    EXPECT_EQ(deviceVolumes(env),
              (std::vector<std::string>{fake.root() + "/media/kes/A", fake.root() + "/media/kes/B",
                                        fake.root() + "/run/media/kes/C"}));
    env.platform = Platform::MacOS;
    EXPECT_EQ(deviceVolumes(env), std::vector<std::string>{fake.root() + "/Volumes/D"});
    env.platform = Platform::Windows;
    env.removableDrives = {"E:\\"};
    EXPECT_EQ(deviceVolumes(env), std::vector<std::string>{"E:\\"});
    env.platform = Platform::Linux;
    env.user.clear();
    EXPECT_TRUE(deviceVolumes(env).empty());
}

} // namespace
} // namespace kestrel::installed
