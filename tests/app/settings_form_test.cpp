#include "app/settings_form.h"

#include <gtest/gtest.h>

#include "support/fake_ui.h"
#include "support/temp_dir.h"

using namespace kestrel;
using kestrel::test::FakeUi;
using kestrel::test::TempDir;

TEST(SettingsForm, StyleModesFillTheElementBoxes) {
    Settings s;
    s.kindmode = {10, 1, 0};
    SettingsForm f = settingsForm(s);
    EXPECT_EQ(f.typeOnBmp, (std::array<bool, 3>{true, false, false}));
    EXPECT_EQ(f.colorPicker, (std::array<bool, 3>{false, true, false}));
    s.kindmode = {11, 10, 2};
    f = settingsForm(s);
    EXPECT_EQ(f.typeOnBmp, (std::array<bool, 3>{true, true, false}));
    EXPECT_EQ(f.colorPicker, (std::array<bool, 3>{false, false, false}));
}

TEST(SettingsForm, ApplyTakesEveryFieldOver) {
    Settings s;
    SettingsForm f = settingsForm(s);
    f.tdbEditorPath = "/opt/tdb/tdb_editor.exe";
    f.tinkerPath = "/opt/t/tnk5.exe";
    f.include4b4a = false;
    f.variousIcons = true;
    f.poiWidth = "24";
    f.cityPoiWidth = "8";
    f.typeOnBmp = {false, false, true};
    f.colorPicker = {true, false, true};
    FakeUi ui;
    EXPECT_TRUE(applySettings(f, s, ui));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(s.tdbEditorPath, "/opt/tdb/tdb_editor.exe");
    EXPECT_EQ(s.tinkerPath, "/opt/t/tnk5.exe");
    EXPECT_FALSE(s.include4b4a);
    EXPECT_TRUE(s.variousIcons);
    EXPECT_EQ(s.poiWidths.poi, 24);
    EXPECT_EQ(s.poiWidths.city, 8);
    EXPECT_EQ(s.kindmode, (std::array<int, 3>{1, 0, 10}));
}

TEST(SettingsForm, InstallerLauncherNameBecomesTheEditor) {
    EXPECT_EQ(tinkerProgram("C:\\Tinker\\5.exe"), "C:\\Tinker\\tnk5.exe");
    EXPECT_EQ(tinkerProgram("/opt/tinker/5.exe"), "/opt/tinker/tnk5.exe");
    EXPECT_EQ(tinkerProgram("/opt/tinker/tnk5.exe"), "/opt/tinker/tnk5.exe");
    Settings s;
    SettingsForm f = settingsForm(s);
    f.tinkerPath = "/opt/tinker/5.exe";
    FakeUi ui;
    applySettings(f, s, ui);
    EXPECT_EQ(s.tinkerPath, "/opt/tinker/tnk5.exe");
}

TEST(SettingsForm, PoiWidthOutOfRangeKeepsTheWindowOpenButIsStored) {
    Settings s;
    SettingsForm f = settingsForm(s);
    FakeUi ui;
    f.poiWidth = "0";
    EXPECT_FALSE(applySettings(f, s, ui));
    EXPECT_EQ(s.poiWidths.poi, 0);
    f.poiWidth = "65";
    EXPECT_FALSE(applySettings(f, s, ui));
    f.poiWidth = "64";
    f.cityPoiWidth = "2";
    EXPECT_FALSE(applySettings(f, s, ui));
    EXPECT_EQ(s.poiWidths.city, 2);
    EXPECT_EQ(ui.messages,
              (std::vector<std::string>{"POI Width Size :1 - 64", "POI Width Size :1 - 64",
                                        "POI Width Size :4 - 64"}));
    f.poiWidth = "1";
    f.cityPoiWidth = "4";
    EXPECT_TRUE(applySettings(f, s, ui));
    EXPECT_EQ(ui.messages.size(), 3u);
}

TEST(SettingsForm, BrowsedTdbEditorMustBeTheTdbEditor) {
    TempDir dir;
    FakeUi ui;
    EXPECT_EQ(browsedTdbEditor("", ui), std::nullopt);
    EXPECT_EQ(browsedTdbEditor(dir.file("gone/tdb_editor.exe"), ui), std::nullopt);
    EXPECT_TRUE(ui.messages.empty());
    const std::string other = dir.write("other.exe", "MZ");
    EXPECT_EQ(browsedTdbEditor(other, ui), std::nullopt);
    EXPECT_EQ(ui.messages, std::vector<std::string>{"tdb_editor.exe not found"});
    const std::string tdb = dir.write("TDB_Editor.exe", "MZ");
    EXPECT_EQ(browsedTdbEditor(tdb, ui), tdb);
}

TEST(SettingsForm, BrowsedTinkerMustBeAProgramFile) {
    TempDir dir;
    FakeUi ui;
    const std::string script = dir.write("tinker.sh", "#!/bin/sh");
    EXPECT_EQ(browsedTinker(script, ui), std::nullopt);
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Tinker not found."});
    const std::string exe = dir.write("TNK5.EXE", "MZ");
    EXPECT_EQ(browsedTinker(exe, ui), exe);
}
