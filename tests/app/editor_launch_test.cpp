#include "app/editor_launch.h"

#include <gtest/gtest.h>

#include "app/session.h"
#include "base/text.h"
#include "support/fake_launcher.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"

using namespace kestrel;
using kestrel::test::FakeLauncher;
using kestrel::test::FakeUi;
using kestrel::test::TempDir;

namespace {

struct EditorLaunch : ::testing::Test {
    TempDir dir;
    Session session;
    FakeUi ui;
    FakeLauncher launcher;

    void SetUp() override {
        session.paths.apppath = dir.path();
        session.settings.typfile = dir.file("untitled.txt");
    }
    std::string tinker() { return dir.write("tnk5.exe", "MZ"); }
    void edit() {
        editCurrentFile(session.settings, session.txtdone, session.paths.apppath, ui, launcher);
    }
    void tdbEditor() {
        launchTdbEditor(session.settings, session.map.fields.tdbFile, session.paths.apppath, ui,
                        launcher);
    }
};

} // namespace

TEST_F(EditorLaunch, ChecksTrimBlanksAndNeedAnExistingFile) {
    EXPECT_FALSE(chktnk(session.settings, ui, false));
    session.settings.tinkerPath = "   ";
    EXPECT_FALSE(chktnk(session.settings, ui, false));
    session.settings.tinkerPath = "  " + tinker() + " ";
    EXPECT_TRUE(chktnk(session.settings, ui, false));
    session.settings.tdbEditorPath = dir.file("tdb_editor.exe");
    EXPECT_FALSE(chktdb(session.settings, ui, false));
    dir.write("tdb_editor.exe", "MZ");
    EXPECT_TRUE(chktdb(session.settings, ui, false));
}

TEST_F(EditorLaunch, DeletedTinkerAsksToLocateIt) {
    session.settings.tinkerPath = tinker();
    std::filesystem::remove(session.settings.tinkerPath);
    session.txtdone = true;
    edit();
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Please locate Tinker in settings."});
    EXPECT_TRUE(launcher.started.empty());
}

TEST_F(EditorLaunch, AfterCreateTypFileStartsWithoutQuestion) {
    session.settings.tinkerPath = concat({" ", tinker()});
    session.txtdone = true;
    edit();
    EXPECT_TRUE(ui.questions.empty());
    ASSERT_EQ(launcher.started.size(), 1u);
    EXPECT_EQ(launcher.started[0].program, dir.file("tnk5.exe"));
    EXPECT_EQ(launcher.started[0].args, std::vector<std::string>{session.settings.typfile});
    EXPECT_EQ(launcher.started[0].workdir, dir.path());
}

TEST_F(EditorLaunch, FileFromAnotherSessionIsOfferedAndNoStartsNothing) {
    session.settings.tinkerPath = tinker();
    dir.write("untitled.txt", "[_id]");
    edit();
    ASSERT_EQ(ui.questions.size(), 1u);
    EXPECT_EQ(ui.questions[0],
              "Have found a file created during another session.\r\n\r\nLoad this file?");
    EXPECT_TRUE(launcher.started.empty());

    ui.answers.push_back(Answer::Yes);
    edit();
    EXPECT_EQ(launcher.started.size(), 1u);
}

TEST_F(EditorLaunch, NoTypTextYetAsksToCreateItFirst) {
    session.settings.tinkerPath = tinker();
    ui.answers.push_back(Answer::Yes);
    edit();
    EXPECT_EQ(ui.questions,
              std::vector<std::string>{"Please Create TYP txt file first. Continue anyway?"});
    EXPECT_EQ(launcher.started.size(), 1u);
}

TEST_F(EditorLaunch, TdbEditorNeedsLocatingThenOpensTheTdbFile) {
    tdbEditor();
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Please locate tdb editor in settings."});
    EXPECT_TRUE(launcher.started.empty());

    session.settings.tdbEditorPath = dir.write("tdb_editor.exe", "MZ");
    tdbEditor();
    ASSERT_EQ(launcher.started.size(), 1u);
    EXPECT_TRUE(launcher.started[0].args.empty());

    session.map.fields.tdbFile = dir.file("family.tdb");
    tdbEditor();
    ASSERT_EQ(launcher.started.size(), 2u);
    EXPECT_EQ(launcher.started[1].args, std::vector<std::string>{dir.file("family.tdb")});
    EXPECT_EQ(launcher.started[1].workdir, dir.path());
    EXPECT_EQ(ui.messages.size(), 1u);
}
