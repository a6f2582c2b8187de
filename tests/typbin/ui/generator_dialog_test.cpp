#include "typbin/ui/generator_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "base/files.h"
#include "support/fake_launcher.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"
#include "support/window_shot.h"
#include "typbin/ui/numbered_generator_runner.h"

using namespace kestrel;

namespace {

QLineEdit* field(QDialog& d, const char* name) {
    return d.findChild<QLineEdit*>(name);
}
QString rangeText(QDialog& d) {
    return d.findChild<QLabel*>("RangeLabel")->text();
}
QString rangeStyle(QDialog& d) {
    return d.findChild<QLabel*>("RangeLabel")->styleSheet();
}

void retype(QDialog& d, const char* name, const char* text) {
    QLineEdit* f = field(d, name);
    f->selectAll();
    QTest::keyClick(f, Qt::Key_Backspace);
    QTest::keyClicks(f, text);
}

void create(QDialog& d) {
    d.findChild<QPushButton*>("CreateTyp")->click();
}

} // namespace

// The dialog shows the form's rules (tested with the form); here: controls reach the form and its
// answers are shown.
TEST(GeneratorDialog, ShowsTheControlsOfItsKind) {
    test::FakeUi ui;
    for (const GeneratorKind kind : {GeneratorKind::Lines, GeneratorKind::ExtraPois}) {
        GeneratorDialog d(kind, "/maps", ui);
        const GeneratorForm& f = d.form();
        EXPECT_EQ(d.windowTitle().toStdString(), f.title());
        EXPECT_EQ(field(d, "CountField")->text().toStdString(), f.count());
        EXPECT_EQ(field(d, "PathField")->text(), "/maps/untitled.typ");
        EXPECT_EQ(!d.findChild<QCheckBox*>("IgnoreSubtypes")->isHidden(), f.showsIgnoreSubtypes());
        EXPECT_EQ(!d.findChild<QCheckBox*>("StartHex")->isHidden(), f.showsHexBoxes());
        EXPECT_EQ(!d.findChild<QComboBox*>("LineWidth")->isHidden(), f.showsLineWidth());
    }
    GeneratorDialog lines(GeneratorKind::Lines, "/maps", ui);
    EXPECT_EQ(lines.findChild<QComboBox*>("LineWidth")->currentText(), "4");
    EXPECT_EQ(lines.findChild<QComboBox*>("LineWidth")->count(), 10);
    // The doubled ampersand is kept so that Qt shows one.
    EXPECT_EQ(lines.findChild<QCheckBox*>("IgnoreSubtypes")->text(),
              "Ignore subtypes with types <&&100");
}

TEST(GeneratorDialog, TypedAndPastedTextIsFilteredByTheForm) {
    test::FakeUi ui;
    GeneratorDialog d(GeneratorKind::Pois, "/m", ui);
    retype(d, "StartField", "1fz-g2");
    EXPECT_EQ(field(d, "StartField")->text(), "1F2");
    EXPECT_EQ(d.form().start(), "1F2");
    QLineEdit* f = field(d, "CountField");
    f->setText("2a x!");
    emit f->textEdited(f->text());
    EXPECT_EQ(f->text(), "2");
    EXPECT_EQ(d.form().count(), "2");
}

TEST(GeneratorDialog, BoxesReachTheFormAndTheRangeLabelFollowsInBlueOrRed) {
    test::FakeUi ui;
    GeneratorDialog extra(GeneratorKind::ExtraPois, "/m", ui);
    retype(extra, "StartField", "255");
    extra.findChild<QCheckBox*>("StartHex")->click();
    EXPECT_EQ(field(extra, "StartField")->text(), "FF");
    GeneratorDialog d(GeneratorKind::Lines, "/m", ui);
    retype(d, "CountField", "3");
    d.findChild<QCheckBox*>("IgnoreSubtypes")->click();
    EXPECT_EQ(rangeText(d), "0 x 1 -> 0 x 00300");
    EXPECT_TRUE(rangeStyle(d).contains("blue"));
    EXPECT_TRUE(field(d, "StartField")->styleSheet().contains("black"));
    retype(d, "CountField", "33");
    retype(d, "StartField", "1ff");
    EXPECT_EQ(rangeText(d).toStdString(), d.form().rangeLabel().text);
    EXPECT_TRUE(rangeStyle(d).contains("red"));
    EXPECT_TRUE(field(d, "StartField")->styleSheet().contains("red"));
}

TEST(GeneratorDialog, AcceptedRequestCarriesTheFields) {
    test::TempDir dir;
    test::FakeUi ui;
    GeneratorDialog d(GeneratorKind::Lines, dir.path(), ui);
    retype(d, "StartField", "10");
    retype(d, "CountField", "20");
    d.findChild<QComboBox*>("LineWidth")->setCurrentText("7");
    d.findChild<QCheckBox*>("IgnoreSubtypes")->click();
    create(d);
    ASSERT_TRUE(d.request());
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ((std::tuple{d.request()->start, d.request()->count, d.request()->path,
                          d.request()->ignoreSubtypes}),
              (std::tuple{std::string("10"), 20u, dir.file("untitled.typ"), true}));
    EXPECT_EQ(d.request()->lineWidth, 7);
}

// A refusal is shown and the dialog stays; closing it hands back nothing.
TEST(GeneratorDialog, RefusalOrCloseHandsBackNothing) {
    test::FakeUi ui;
    GeneratorDialog d(GeneratorKind::Polygons, "/m", ui);
    retype(d, "CountField", "1801");
    create(d);
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Max number of elements = 1800"});
    EXPECT_FALSE(d.request());
    EXPECT_NE(d.result(), QDialog::Accepted);
    d.findChild<QPushButton*>("Close")->click();
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_FALSE(d.request());
}

namespace {

// Fills the dialog that the runner opens, once it is shown, and presses "Create TYP".
void answerDialogWith(const std::string& path, const char* count) {
    QTimer::singleShot(0, [path, count] {
        auto* d = qobject_cast<GeneratorDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        field(*d, "PathField")->setText(QString::fromStdString(path));
        retype(*d, "CountField", count);
        create(*d);
    });
}

struct RunnerFixture {
    test::TempDir dir;
    TypSectionSlots sections;
    std::string currentFile;
    NumberedGeneratorSetup setup{sections, currentFile, dir.path(), dir.path(), dir.path(), 1252};
    test::FakeUi ui;
    test::FakeLauncher launcher;
};

} // namespace

TEST(NumberedGeneratorRunner, ExtraPoisSayCreatedAndBecomeTheCurrentFile) {
    RunnerFixture f;
    const std::string path = f.dir.file("extra.typ");
    answerDialogWith(path, "5");
    const auto r = runNumberedGenerator(2, f.setup, f.ui, f.launcher);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, GenerateStatus::Written);
    ASSERT_EQ(f.ui.messages.size(), 1u);
    EXPECT_EQ(f.ui.messages[0], "Created " + path);
    EXPECT_EQ(f.launcher.opened, std::vector<std::string>{path});
    EXPECT_EQ(f.currentFile, path);
}

TEST(NumberedGeneratorRunner, ClosedDialogOrOtherItemGeneratesNothing) {
    RunnerFixture f;
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    EXPECT_FALSE(runNumberedGenerator(4, f.setup, f.ui, f.launcher));
    EXPECT_FALSE(runNumberedGenerator(0, f.setup, f.ui, f.launcher));
    EXPECT_FALSE(runNumberedGenerator(7, f.setup, f.ui, f.launcher));
    EXPECT_TRUE(f.launcher.opened.empty());
}

TEST(NumberedGeneratorRunner, UnwritablePathIsReported) {
    RunnerFixture f;
    const std::string path = f.dir.file("missing/folder/x.typ");
    answerDialogWith(path, "3");
    const auto r = runNumberedGenerator(5, f.setup, f.ui, f.launcher);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, GenerateStatus::WriteFailed);
    ASSERT_EQ(f.ui.messages.size(), 1u);
    EXPECT_NE(f.ui.messages[0].find("Could not write the TYP file"), std::string::npos);
    EXPECT_TRUE(f.launcher.opened.empty());
}

TEST(WindowShots, GeneratorDialogsOfLinesAndExtraPois) {
    test::FakeUi ui;
    GeneratorDialog lines(GeneratorKind::Lines, "/home/user/maps", ui);
    retype(lines, "StartField", "200");
    const QImage a = test::windowShot(lines, "generator_dialog_lines");
    GeneratorDialog extra(GeneratorKind::ExtraPois, "/home/user/maps", ui);
    const QImage b = test::windowShot(extra, "generator_dialog_extra_pois");
    ASSERT_FALSE(a.isNull());
    ASSERT_FALSE(b.isNull());
    EXPECT_EQ(test::clippedControls(lines, a), QStringList());
    EXPECT_EQ(test::clippedControls(extra, b), QStringList());
}
