#include "app/ui/file_name_window.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "app/ui/recording_port.h"
#include "base/ui/qt_ui_port.h"
#include "support/temp_dir.h"

using namespace kestrel;
using kestrel::test::RecordingPort;
using kestrel::test::TempDir;

TEST(FileNameWindow, ShowsTheCurrentTypFile) {
    RecordingPort ui;
    FileNameWindow w("/home/ann/untitled.txt", ui);
    EXPECT_EQ(w.windowTitle(), "Create TYP File");
    EXPECT_EQ(w.findChild<QLineEdit*>("filename")->text(), "/home/ann/untitled.txt");
    EXPECT_EQ(w.findChild<QPushButton*>("create")->text(), "Create TYP");
    EXPECT_EQ(w.findChild<QPushButton*>("cancel")->text(), "Cancel");
}

// The name's rules are tested with acceptTypFileName; here a refusal keeps the window open.
TEST(FileNameWindow, ExistingFileNeedsYesThenReportsCreate) {
    TempDir dir;
    const std::string path = dir.write("style.TXT", "old");
    RecordingPort ui;
    FileNameWindow w(path, ui);
    w.show();
    w.findChild<QPushButton*>("create")->click();
    EXPECT_TRUE(w.isVisible());
    ui.answers.push_back(Answer::Yes);
    w.findChild<QPushButton*>("create")->click();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(ui.questions.size(), 2u);
    EXPECT_EQ(w.fileName(), path);
}

TEST(FileNameWindow, EnterCreatesAndCancelCancels) {
    TempDir dir;
    RecordingPort ui;
    for (const bool enter : {true, false}) {
        FileNameWindow w(dir.file("new.txt"), ui);
        w.show();
        if (enter)
            QTest::keyClick(w.findChild<QLineEdit*>("filename"), Qt::Key_Return);
        else
            w.findChild<QPushButton*>("cancel")->click();
        EXPECT_EQ(w.result(), enter ? QDialog::Accepted : QDialog::Rejected);
    }
    EXPECT_TRUE(ui.messages.empty());
}
