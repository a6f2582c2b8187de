#include "app/ui/settings_window.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <gtest/gtest.h>

#include "app/ui/recording_port.h"
#include "base/ui/qt_ui_port.h"
#include "support/temp_dir.h"

using namespace kestrel;
using kestrel::test::RecordingPort;
using kestrel::test::TempDir;

namespace {

struct SettingsWindowTest : ::testing::Test {
    Settings settings;
    RecordingPort ui;

    template <class T> static T* find(SettingsWindow& w, const QString& name) {
        T* found = w.findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
};

} // namespace

TEST_F(SettingsWindowTest, OpensWithTheValuesOfTheSettings) {
    settings.tinkerPath = "/opt/t/tnk5.exe";
    settings.kindmode = {1, 0, 10};
    settings.include4b4a = false;
    SettingsWindow w(settings, ui);
    EXPECT_EQ(find<QLineEdit>(w, "tinker")->text(), "/opt/t/tnk5.exe");
    EXPECT_EQ(find<QLineEdit>(w, "poiWidth")->text(), "16");
    EXPECT_FALSE(find<QCheckBox>(w, "include4b4a")->isChecked());
    EXPECT_EQ(find<QCheckBox>(w, "include4b4a")->text(), "Include &&4B,&&4A Polygons");
    EXPECT_TRUE(find<QCheckBox>(w, "colorPicker0")->isChecked());
    EXPECT_FALSE(find<QCheckBox>(w, "typeOnBmp0")->isChecked());
    EXPECT_FALSE(find<QCheckBox>(w, "typeOnBmp1")->isChecked());
    EXPECT_FALSE(find<QCheckBox>(w, "colorPicker1")->isChecked());
    EXPECT_TRUE(find<QCheckBox>(w, "typeOnBmp2")->isChecked());
}

TEST_F(SettingsWindowTest, TabsShowTheirPageAndMarkTheirHeader) {
    SettingsWindow w(settings, ui);
    auto* pages = w.findChild<QStackedWidget*>();
    ASSERT_NE(pages, nullptr);
    EXPECT_EQ(pages->currentWidget()->objectName(), "pageColours");
    find<QPushButton>(w, "tabSoftware")->click();
    EXPECT_EQ(pages->currentWidget()->objectName(), "pageSoftware");
    EXPECT_TRUE(find<QPushButton>(w, "tabSoftware")->styleSheet().contains("#3399ff"));
    EXPECT_TRUE(find<QPushButton>(w, "tabColours")->styleSheet().contains("white"));
}

TEST_F(SettingsWindowTest, StyleBoxesOfARowExcludeEachOther) {
    SettingsWindow w(settings, ui);
    auto* bmp = find<QCheckBox>(w, "typeOnBmp1");
    auto* picker = find<QCheckBox>(w, "colorPicker1");
    EXPECT_TRUE(picker->isChecked());
    bmp->click();
    EXPECT_FALSE(picker->isChecked());
    picker->click();
    EXPECT_FALSE(bmp->isChecked());
    picker->click(); // both may be off
    EXPECT_FALSE(bmp->isChecked());
    w.apply();
    EXPECT_EQ(settings.kindmode[1], 0);
}

// The form's rules are tested with the settings form; here apply, cancel and the browse results
// reach it and its answers are shown.
TEST_F(SettingsWindowTest, ApplyAndCancelReachTheFormAndItsMessagesAreShown) {
    SettingsWindow w(settings, ui);
    w.show();
    find<QLineEdit>(w, "cityPoiWidth")->setText("2");
    find<QPushButton>(w, "apply")->click();
    EXPECT_EQ(ui.messages, std::vector<std::string>{"POI Width Size :4 - 64"});
    EXPECT_TRUE(w.isVisible());
    find<QLineEdit>(w, "cityPoiWidth")->setText("12");
    find<QPushButton>(w, "apply")->click();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(settings.poiWidths.city, 12);

    SettingsWindow again(settings, ui);
    again.show();
    find<QLineEdit>(again, "poiWidth")->setText("30");
    find<QPushButton>(again, "cancel")->click();
    EXPECT_EQ(settings.poiWidths.poi, 16);
    EXPECT_EQ(again.result(), QDialog::Rejected);
}

TEST_F(SettingsWindowTest, BrowsedEditorIsShownOnlyWhenTheFormTakesIt) {
    TempDir dir;
    SettingsWindow w(settings, ui);
    w.takeTdbEditor(dir.write("other.exe", "MZ"));
    EXPECT_EQ(find<QLineEdit>(w, "tdbEditor")->text(), "");
    EXPECT_EQ(ui.messages, std::vector<std::string>{"tdb_editor.exe not found"});
    w.takeTdbEditor(dir.write("tdb_editor.exe", "MZ"));
    EXPECT_EQ(fromQtPath(find<QLineEdit>(w, "tdbEditor")->text()), dir.file("tdb_editor.exe"));
    w.takeTinker(dir.write("tnk5.exe", "MZ"));
    EXPECT_EQ(fromQtPath(find<QLineEdit>(w, "tinker")->text()), dir.file("tnk5.exe"));
}

TEST_F(SettingsWindowTest, SwatchesShowTheSlotColours) {
    settings.colourSlots[1] = 255; // red
    SettingsWindow w(settings, ui);
    EXPECT_TRUE(find<QPushButton>(w, "swatch0")->styleSheet().contains("#ffffff"));
    EXPECT_TRUE(find<QPushButton>(w, "swatch1")->styleSheet().contains("#ff0000"));
    EXPECT_TRUE(find<QPushButton>(w, "swatch3")->styleSheet().contains("#ffff00"));
}
