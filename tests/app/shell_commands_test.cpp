#include "app/shell_commands.h"

#include <filesystem>
#include <gtest/gtest.h>

#include "base/paths.h"
#include "base/text.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"

using namespace kestrel;
using kestrel::test::FakeUi;
using kestrel::test::TempDir;

TEST(Caption, VersionInShortestFormAndTheName) {
    EXPECT_EQ(verText(5.1f), "5.1");
    EXPECT_EQ(cap(5.1f, ""), "kestrel 5.1 ");
    EXPECT_EQ(cap(5.1f, "/Maps/GMAPSUPP.IMG"), "kestrel 5.1 /Maps/GMAPSUPP.IMG");
}

TEST(StyleModeIndicators, ColourPickerBitmapOrNeither) {
    using Marks = std::array<std::string, 3>;
    EXPECT_EQ(shw_tp({10, 1, 10}), (Marks{"B", "C", "B"}));
    EXPECT_EQ(shw_tp({10, 10, 0}), (Marks{"B", "-", "-"})); // lines have no bitmap mode
    EXPECT_EQ(shw_tp({1, 1, 1}), (Marks{"C", "C", "C"}));
    EXPECT_EQ(shw_tp({0, 0, 11}), (Marks{"-", "-", "-"}));
}

TEST(KindsForCreate, NoneTickedIsRefusedSomeUntickedAsks) {
    FakeUi ui;
    ui.answers = {Answer::No, Answer::Yes};
    EXPECT_TRUE(kindsForCreate({true, true, true}, ui));
    EXPECT_TRUE(ui.questions.empty());
    EXPECT_FALSE(kindsForCreate({true, false, true}, ui));
    EXPECT_TRUE(kindsForCreate({false, false, true}, ui));
    EXPECT_EQ(ui.questions,
              std::vector<std::string>(2, "You have deselected an element. Continue?"));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(kindsForCreate({false, false, false}, ui));
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Please select Point , Line or Polygon"});
    EXPECT_EQ(ui.questions.size(), 2u);
}

TEST(Escape, SetsTheStopFlagAndSaysSoDuringABatch) {
    FakeUi idle, busy;
    escapePressed(false, idle);
    escapePressed(true, busy);
    EXPECT_TRUE(idle.stopflag() && busy.stopflag());
    EXPECT_TRUE(idle.messages.empty());
    EXPECT_EQ(busy.messages, std::vector<std::string>{
                                 "Process halted.\r\n\r\nCreate TYP file if elements are found."});
}

TEST(RecentEnabled, OnlyExistingFilesAreEnabled) {
    TempDir dir;
    const std::string there = dir.write("a.img", "x");
    const auto on = recentEnabled({there, dir.file("gone.img"), "", there, "", "", ""});
    EXPECT_EQ(on, (std::array<bool, 7>{true, false, false, true, false, false, false}));
}

TEST(DropText, WindowTakesTheFirstFileAndListsTakeAllWithLineEnds) {
    const std::vector<std::string> files{"/m/a.img", "/m/b.txt", "/m/c.img"};
    EXPECT_EQ(dropText(files, false), "/m/a.img");
    EXPECT_EQ(dropText(files, true), "/m/a.img\r\n/m/b.txt\r\n/m/c.img\r\n");
    EXPECT_EQ(dropText({}, true), "");
    EXPECT_EQ(dropText({"/m/a.img"}, true), "/m/a.img\r\n");
}

TEST(SaveAsText, NameWithoutDotGetsTxt) {
    EXPECT_EQ(saveAsTextName("/home/a/style"), "/home/a/style.txt");
    EXPECT_EQ(saveAsTextName("/home/a/style.typtxt"), "/home/a/style.typtxt");
}

TEST(FileNameWindow, NameMustEndInTxtAndAnExistingFileNeedsYes) {
    TempDir dir;
    FakeUi ui;
    EXPECT_FALSE(acceptTypFileName(dir.file("a.typ"), ui));
    EXPECT_EQ(ui.messages, std::vector<std::string>{"This is not a .txt file."});
    EXPECT_TRUE(acceptTypFileName(dir.file("A.TXT"), ui));
    EXPECT_FALSE(replaceQuery(dir.file("new.txt"), ui));
    EXPECT_TRUE(ui.questions.empty());
    const std::string path = dir.write("a.txt", "old");
    ui.answers = {Answer::No, Answer::Yes};
    EXPECT_FALSE(acceptTypFileName(path, ui));
    EXPECT_TRUE(acceptTypFileName(path, ui));
    ASSERT_EQ(ui.questions.size(), 2u);
    EXPECT_EQ(ui.questions[0], path + " exists.\r\n\r\n Replace?");
    EXPECT_TRUE(fileExists(path)); // the question only asks; nothing is deleted here
}

TEST(TypFileList, ListsTypFilesOfAnyCaseSorted) {
    TempDir dir;
    dir.write("b.typ", "");
    dir.write("A.TYP", "");
    dir.write("c.txt", "");
    std::filesystem::create_directory(dir.file("folder.typ"));
    EXPECT_EQ(typFiles(dir.path()), (std::vector<std::string>{"A.TYP", "b.typ"}));
    EXPECT_TRUE(typFiles(dir.file("missing")).empty());
}

TEST(TypFileList, DeleteAsksFirstAndNeedsASelection) {
    TempDir dir;
    const std::string path = dir.write("old.typ", "x");
    FakeUi ui;
    EXPECT_FALSE(deleteTypFile(dir.path(), "", ui));
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Please select TYP file."});

    EXPECT_FALSE(deleteTypFile(dir.path(), "old.typ", ui));
    EXPECT_TRUE(fileExists(path));
    ASSERT_EQ(ui.questions.size(), 1u);
    EXPECT_EQ(ui.questions[0], "This will delete 'old.typ' . Do you want to continue?");

    ui.answers.push_back(Answer::Yes);
    const long before = ui.yields;
    EXPECT_TRUE(deleteTypFile(dir.path(), "old.typ", ui));
    EXPECT_FALSE(fileExists(path));
    EXPECT_EQ(ui.yields - before, 3);
}
