#include "installed/wine_registry.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "base/files.h"
#include "base/text.h"
#include "installed/install_fixture.h"
#include "support/golden_file.h"
#include "support/temp_dir.h"

namespace kestrel::installed {
namespace {

const std::vector<std::string> kGarmin{"Software\\Garmin", "Software\\Wow6432Node\\Garmin"};

// Every value form, roots in any case, escaped key names, CR LF lines and malformed lines, read
// as the keys below the wanted roots; bytes outside printable ASCII are written as \xHH.
TEST(SystemReg, ValueFormsAreTheGoldenFile) {
    const auto text = readFile(test::fixtureDir() + "/installed/value_forms.reg");
    ASSERT_TRUE(text);
    std::string dump;
    for (const RegKey& key : parseSystemReg(*text, kGarmin)) {
        dump += "[" + key.path + "]\n";
        for (const RegValue& v : key.values) {
            dump += v.name + (v.kind == RegKind::Binary ? " binary: " : " string: ");
            for (const unsigned char c : v.data)
                dump += c >= 0x20 && c < 0x7F ? std::string(1, char(c)) : "\\x" + pad2(hex(c));
            dump += "\n";
        }
    }
    test::expectGoldenFile("installed/value_forms.txt", dump);
}

TEST(WineRegistry, SubtreeHoldsTheKeyAndItsSubkeysInAnyCase) {
    test::FakeInstall fake;
    fake.writeSystemReg("[Software\\\\Garmin\\\\MapSource\\\\Families\\\\A]\n\"x\"=\"1\"\n"
                        "[Software\\\\Garmin\\\\MapSource\\\\Families\\\\A\\\\1]\n\"y\"=\"2\"\n"
                        "[Software\\\\Garmin\\\\MapSource\\\\FamiliesNT\\\\B]\n\"z\"=\"3\"\n");
    WineRegistry reg(fake.prefix(), kGarmin);
    const auto keys = reg.subtree("SOFTWARE\\Garmin\\mapsource\\families\\");
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[1].path, "Software\\Garmin\\MapSource\\Families\\A\\1");
    EXPECT_TRUE(reg.subtree("SOFTWARE\\Garmin\\Installed\\").empty());
    EXPECT_TRUE(WineRegistry(fake.prefix() + "/nowhere", kGarmin).subtree("Software").empty());
}

TEST(WineRegistry, DrivePathsGoThroughDosdevicesInAnyCase) {
    test::FakeInstall fake;
    test::makeFolder(fake.driveC("Garmin/Maps/Lakes"));
    WineRegistry reg(fake.prefix(), kGarmin);
    const std::string real = std::filesystem::canonical(fake.driveC("Garmin/Maps/Lakes")).string();
    EXPECT_EQ(reg.realPath("C:\\Garmin\\Maps\\Lakes\\"), real);
    EXPECT_EQ(reg.realPath("c:\\GARMIN\\maps\\lakes"), real);
    // A missing component is kept as written, so the caller's existence test fails.
    EXPECT_EQ(reg.realPath("C:\\Garmin\\Gone"),
              std::filesystem::canonical(fake.driveC("Garmin")).string() + "/Gone");
    EXPECT_EQ(reg.realPath("Q:\\x"), ""); // no such drive
    EXPECT_EQ(reg.realPath("\\\\server\\share"), "");
    EXPECT_EQ(reg.realPath(""), "");
    // Other letters follow their links; C: without its link is drive_c.
    test::makeFolder(fake.root() + "/stick/Maps");
    std::filesystem::create_directory_symlink(fake.root() + "/stick",
                                              fake.prefix() + "/dosdevices/e:");
    EXPECT_EQ(reg.realPath("E:\\maps"),
              std::filesystem::canonical(fake.root() + "/stick/Maps").string());
    std::filesystem::remove(fake.prefix() + "/dosdevices/c:");
    EXPECT_EQ(reg.realPath("C:\\Garmin\\Maps"), fake.driveC("Garmin/Maps"));
}

} // namespace
} // namespace kestrel::installed
