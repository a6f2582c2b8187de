#include "installed/wine_registry.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "installed/install_fixture.h"

namespace kestrel::installed {
namespace {

const std::vector<std::string> kGarmin{"Software\\Garmin", "Software\\Wow6432Node\\Garmin"};

const RegValue* valueNamed(const RegKey& key, const std::string& name) {
    for (const auto& v : key.values)
        if (v.name == name) return &v;
    return nullptr;
}

TEST(SystemReg, ReadsKeysAndValuesBelowTheWantedRoots) {
    const auto keys = parseSystemReg(R"(WINE REGISTRY Version 2
;; All keys relative to \\Machine

#arch=win64

[Software\\Garmin\\MapSource\\Families\\FAMILY_888] 1786062085
#time=1d9e0b6c2a4f3b2
"ID"=hex:78,03

[Software\\Garmin\\MapSource\\Families\\FAMILY_888\\1] 1786062085
#time=1d9e0b6c2a4f3b2
"Loc"="C:\\Maps\\"
"Tdb"="C:\\Maps\\lakes.tdb"

[Software\\Microsoft\\Windows] 1786062085
"Loc"="C:\\Elsewhere\\"
)",
                                     kGarmin);
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0].path, "Software\\Garmin\\MapSource\\Families\\FAMILY_888");
    ASSERT_EQ(keys[0].values.size(), 1u);
    EXPECT_EQ(keys[0].values[0].kind, RegKind::Binary);
    EXPECT_EQ(keys[0].values[0].data, "\x78\x03");
    EXPECT_EQ(valueNamed(keys[1], "Loc")->data, "C:\\Maps\\");
    EXPECT_EQ(valueNamed(keys[1], "Tdb")->data, "C:\\Maps\\lakes.tdb");
}

TEST(SystemReg, RootsMatchInAnyCaseAndOnlyWholeKeyNames) {
    const auto keys = parseSystemReg("[SOFTWARE\\\\GARMIN\\\\x]\n\"a\"=\"1\"\n"
                                     "[Software\\\\GarminExtra]\n\"b\"=\"2\"\n"
                                     "[Software\\\\Wow6432Node\\\\Garmin]\n\"c\"=\"3\"\n",
                                     kGarmin);
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0].path, "SOFTWARE\\GARMIN\\x");
    EXPECT_EQ(keys[1].path, "Software\\Wow6432Node\\Garmin");
}

TEST(SystemReg, DecodesEveryValueForm) {
    const auto keys = parseSystemReg("[Software\\\\Garmin]\n"
                                     "@=\"default\"\n"
                                     "\"Dword\"=dword:0000037a\n"
                                     "\"Expand\"=str(2):\"%ProgramData%\\\\Garmin\"\n"
                                     "\"Quote\"=\"say \\\"hi\\\"\\n\"\n"
                                     "\"Umlaut\"=\"K\\xe4rnten \\x00e4\\x20ac\"\n"
                                     "\"Pair\"=\"\\xd83d\\xde00\"\n"
                                     "\"Octal\"=\"\\101\\7x\"\n"
                                     "\"HexSz\"=hex(2):43,00,3a,00,5c,00,00,00\n"
                                     "\"Multi\"=hex(7):61,00,00,00,62,00,00,00,00,00\n"
                                     "\"Wrapped\"=hex:01,02,03,\\\n"
                                     "  04,05,\\\n"
                                     "  06\n"
                                     "\"After\"=\"still read\"\n",
                                     kGarmin);
    ASSERT_EQ(keys.size(), 1u);
    for (const auto& [name, data] : std::vector<std::pair<std::string, std::string>>{
             {"", "default"},
             {"Dword", std::string("\x7a\x03\0\0", 4)},
             {"Expand", "%ProgramData%\\Garmin"},
             {"Quote", "say \"hi\"\n"},
             {"Umlaut", "K\xC3\xA4rnten \xC3\xA4\xE2\x82\xAC"},
             {"Pair", "\xF0\x9F\x98\x80"},
             {"Octal", "A\x07x"},
             {"HexSz", "C:\\"},
             {"Multi", "a"},
             {"Wrapped", "\x01\x02\x03\x04\x05\x06"},
             {"After", "still read"}})
        EXPECT_EQ(valueNamed(keys[0], name)->data, data) << name;
    EXPECT_EQ(valueNamed(keys[0], "HexSz")->kind, RegKind::String);
}

TEST(SystemReg, EscapedKeyNamesAndCrLfLinesAreRead) {
    const auto keys = parseSystemReg(
        "[Software\\\\Garmin\\\\Fam \\]x\\[] 123\r\n\"Tdb\"=\"C:\\\\a.tdb\"\r\n", kGarmin);
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0].path, "Software\\Garmin\\Fam ]x[");
    EXPECT_EQ(valueNamed(keys[0], "Tdb")->data, "C:\\a.tdb");
}

TEST(SystemReg, MalformedLinesAreSkippedWithoutLosingTheRest) {
    const auto keys = parseSystemReg("[Software\\\\Garmin\n" // key line without "]"
                                     "\"lost\"=\"x\"\n"      // so this value has no key
                                     "[Software\\\\Garmin\\\\ok]\n"
                                     "\"open=\"unterminated\n"  // name never closed
                                     "\"bad\"=\"unterminated\n" // text never closed
                                     "\"weird\"=qword:1\n"      // unknown form
                                     "\"nohex\"=hex\n"          // no ":"
                                     "\"x\"\n"                  // no "="
                                     "\"good\"=hex:zz,01\n"     // stops at the bad byte
                                     "\"last\"=hex:01,\\\n",    // wrapped past the end
                                     kGarmin);
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0].path, "Software\\Garmin\\ok");
    ASSERT_EQ(keys[0].values.size(), 2u);
    EXPECT_EQ(valueNamed(keys[0], "good")->data, "");
    EXPECT_EQ(valueNamed(keys[0], "last")->data, "\x01");
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
}

TEST(WineRegistry, MissingRegistryFileGivesNoKeys) {
    test::FakeInstall fake;
    WineRegistry reg(fake.prefix() + "/nowhere", kGarmin);
    EXPECT_TRUE(reg.subtree("Software\\Garmin").empty());
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
}

TEST(WineRegistry, OtherDriveLettersFollowTheirLinks) {
    test::FakeInstall fake;
    test::makeFolder(fake.root() + "/stick/Maps");
    std::filesystem::create_directory_symlink(fake.root() + "/stick",
                                              fake.prefix() + "/dosdevices/e:");
    WineRegistry reg(fake.prefix(), kGarmin);
    EXPECT_EQ(reg.realPath("E:\\maps"),
              std::filesystem::canonical(fake.root() + "/stick/Maps").string());
}

TEST(WineRegistry, DriveCWithoutDosdevicesLinkIsDriveC) {
    test::FakeInstall fake;
    std::filesystem::remove(fake.prefix() + "/dosdevices/c:");
    test::makeFolder(fake.driveC("Maps"));
    WineRegistry reg(fake.prefix(), kGarmin);
    EXPECT_EQ(reg.realPath("C:\\Maps"), fake.driveC("Maps"));
}

} // namespace
} // namespace kestrel::installed
