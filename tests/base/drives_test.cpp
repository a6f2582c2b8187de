#include "base/drives.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <random>

#include "support/fake_ui.h"
#include "support/temp_dir.h"

using namespace kestrel;
using kestrel::test::FakeUi;
using kestrel::test::TempDir;

TEST(RemovableVolume, NamesTheVolumeFolderUnderTheMediaRoots) {
    for (const auto& [path, volume] :
         {std::pair{"/media/ann/GARMIN/Garmin/gmapsupp.img", "/media/ann/GARMIN"},
          {"/run/media/ann/SD/a.img", "/run/media/ann/SD"},
          {"/mnt/usb/maps/a.img", "/mnt/usb"},
          {"/mnt/usb", "/mnt/usb"},
          {"/Volumes/GARMIN/x.img", "/Volumes/GARMIN"},
          {"/home/ann/maps/a.img", ""}, // fixed or incomplete: none
          {"/media/ann", ""},
          {"/media//x", ""},
          {"maps/a.img", ""}})
        EXPECT_EQ(removableVolume(path), volume) << path;
}

TEST(VolumeState, TellsMissingUnmountedAndMountedFolders) {
    TempDir dir;
    EXPECT_EQ(volumeState(dir.file("nothing")), DriveState::Missing);
    std::filesystem::create_directory(dir.file("stale"));
    EXPECT_EQ(volumeState(dir.file("stale")), DriveState::NotReady);
    EXPECT_EQ(volumeState("/"), DriveState::Ready);
    if (std::filesystem::exists("/proc/self")) {
        EXPECT_EQ(volumeState("/proc"), DriveState::Ready);
    }
}

TEST(DriveTest, PathOnAFixedVolumePassesSilently) {
    TempDir dir;
    FakeUi ui;
    EXPECT_TRUE(drivetest(dir.file("a.txt"), "label", ui));
    EXPECT_EQ(chkdrive(dir.file("a.txt")), DriveState::Ready);
    EXPECT_TRUE(ui.messages.empty());
}

TEST(DriveTest, RelativePathSaysBadFileAndPasses) {
    FakeUi ui;
    EXPECT_TRUE(drivetest("maps/a.img", "", ui));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], "Bad File: maps/a.img");
}

TEST(DriveTest, MissingVolumeFailsAndNamesTheLabelOnlyWhenGiven) {
    const std::string path = "/media/kestrel-nobody/NO-SUCH-VOLUME/a.img";
    FakeUi ui;
    EXPECT_EQ(chkdrive(path), DriveState::Missing);
    EXPECT_FALSE(drivetest(path, "", ui));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(drivetest(path, path, ui));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], "Drive does not exist " + path);
}

TEST(DriveTest, UnmountedVolumeIsNotAvailableEvenWithoutLabel) {
    // Needs a folder under /mnt that is not a mount point: only where /mnt is writable.
    const std::string volume = "/mnt/kestrel-test-" + std::to_string(std::random_device{}());
    std::error_code ec;
    if (!std::filesystem::create_directory(volume, ec)) GTEST_SKIP() << "/mnt is not writable";
    FakeUi ui;
    const bool passed = drivetest(volume + "/a.img", "", ui);
    std::filesystem::remove(volume, ec);
    EXPECT_FALSE(passed);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], "Drive " + volume + " not avalable \r\n\r\n");
}

TEST(SafeExists, ReportsOnlyWhenAsked) {
    TempDir dir;
    const std::string file = dir.write("t.exe", "x");
    FakeUi ui;
    EXPECT_TRUE(safeExists(file, true, ui));
    EXPECT_FALSE(safeExists(dir.file("gone.exe"), true, ui));
    EXPECT_TRUE(ui.messages.empty());
    const std::string offline = "/media/kestrel-nobody/GONE/t.exe";
    EXPECT_FALSE(safeExists(offline, false, ui));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(safeExists(offline, true, ui));
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Drive does not exist " + offline});
}
