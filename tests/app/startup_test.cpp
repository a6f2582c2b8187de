#include "app/startup.h"

#include <gtest/gtest.h>

#include "app/state_file.h"
#include "base/files.h"
#include "base/paths.h"
#include "base/text.h"
#include "support/temp_dir.h"

using namespace kestrel;
using kestrel::test::TempDir;

TEST(Startup, WithoutStateFileEverythingHasItsDefault) {
    TempDir dir;
    Session session;
    session.settings.kindsel = {false, false, false};
    startup(session, dir.path(), "");
    EXPECT_TRUE(folderExists(dir.file("system")));
    EXPECT_EQ(session.paths.statefile, dir.file("system/kestrel.dat"));
    EXPECT_FLOAT_EQ(session.ver, 5.1f);
    // The settings are the defaults of the golden state file, with this folder's TYP file and
    // sample map.
    ASSERT_TRUE(savedata(dir.file("written.dat"), session.settings));
    const std::string expected = replaceAll(
        replaceAll(readFile(std::string(KESTREL_GOLDEN_DIR) + "/state_defaults.dat").value(),
                   "/t/untitled.txt", dir.file("untitled.txt")),
        "/app/test.img", dir.file("test.img"));
    EXPECT_EQ(readFile(dir.file("written.dat")), expected);
}

// Every value of the file is read as the state file tests show; here the file is the one read.
TEST(Startup, StateFileOverridesDefaultsAndBadWidthsBecomeSixteen) {
    TempDir dir;
    Settings saved;
    saved.recent[0] = "/maps/a.img";
    saved.poiWidths = {0, 24};
    saved.typfile = "/home/ann/styles/roads.txt";
    ASSERT_TRUE(makeFolders(dir.file("system")));
    ASSERT_TRUE(savedata(dir.file("system/kestrel.dat"), saved));

    Session session;
    startup(session, dir.path(), "");
    const Settings& s = session.settings;
    EXPECT_EQ(s.recent[0], "/maps/a.img");
    EXPECT_EQ(s.poiWidths.poi, 16);
    EXPECT_EQ(s.poiWidths.city, 24);
    EXPECT_EQ(s.typfile, "/home/ann/styles/roads.txt");
}

TEST(Startup, ShortTypfileBecomesUntitledInTheUserFolder) {
    TempDir dir;
    Settings saved;
    saved.typfile = "a.txt"; // five characters
    ASSERT_TRUE(makeFolders(dir.file("system")));
    ASSERT_TRUE(savedata(dir.file("system/kestrel.dat"), saved));
    Session session;
    startup(session, dir.path(), "");
    EXPECT_EQ(session.settings.typfile, joinPath(session.paths.userdir, "untitled.txt"));
}

TEST(Startup, StyleTextsAreLoadedFromTheDataFolder) {
    TempDir dir;
    dir.write("system/polygons_.txt", "0x01 URBAN AREA\r\n");
    Session session;
    startup(session, dir.path(), "");
    EXPECT_EQ(session.styletxt[0], "0x01 urban area\r\n");
}

TEST(Startup, InstalledDataIsFoundBesideTheProgramFolderElseInIt) {
    TempDir dir;
    EXPECT_EQ(installedDataFolder(dir.file("bin"), "/usr/share/kestrel/system"),
              "/usr/share/kestrel/system");
    // A program folder with a system/ it may not write counts as installed, and ships its data.
    ASSERT_TRUE(makeFolders(dir.file("bin/system")));
    EXPECT_EQ(installedDataFolder(dir.file("bin"), "/usr/share/kestrel/system"),
              dir.file("bin/system"));
    ASSERT_TRUE(makeFolders(dir.file("share/kestrel/system")));
    EXPECT_EQ(installedDataFolder(dir.file("bin"), "/usr/share/kestrel/system"),
              dir.file("share/kestrel/system"));
}
