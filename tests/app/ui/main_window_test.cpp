#include "app/ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QFileDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <deque>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

#include "app/messages.h"
#include "app/session.h"
#include "app/startup.h"
#include "app/state_file.h"
#include "app/ui/recording_port.h"
#include "base/files.h"
#include "base/paths.h"
#include "base/text.h"
#include "base/ui/qt_ui_port.h"
#include "installed/ui/selection_window.h"
#include "legend/ui/legend_window.h"
#include "support/fake_launcher.h"
#include "support/img_builder.h"
#include "support/temp_dir.h"
#include "support/window_shot.h"

using namespace kestrel;
using kestrel::test::FakeLauncher;
using kestrel::test::RecordingPort;
using kestrel::test::TempDir;

namespace {

// A map with one line type.
const std::string kMap = kestrel::test::SyntheticMap().lines({0x06}).bytes();

struct MainWindowTest : ::testing::Test {
    TempDir dir;
    Session session;
    RecordingPort ui;
    FakeLauncher launcher;
    std::unique_ptr<MainWindow> window;

    void SetUp() override { startup(session, dir.path(), ""); }
    void open() { window = std::make_unique<MainWindow>(session, ui, launcher); }
    template <class T> T* find(const QString& name) {
        T* w = window->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QString text(const QString& label) { return find<QLabel>(label)->text(); }
    // The sample map of the build, copied into the test's folder.
    std::string sampleMap() {
        std::filesystem::copy_file(std::string(KESTREL_BIN_DIR) + "/test.img",
                                   dir.file("sample.img"));
        return dir.file("sample.img");
    }
    void drop(QWidget* target, const std::vector<std::string>& files) {
        QMimeData mime;
        QList<QUrl> urls;
        for (const std::string& f : files) urls << QUrl::fromLocalFile(toQtPath(f));
        mime.setUrls(urls);
        const QPointF at(target->width() / 2.0, target->height() / 2.0);
        auto* view = qobject_cast<QAbstractScrollArea*>(target);
        QWidget* receiver = view ? view->viewport() : target;
        // A drop goes to the widget that accepted the drag's entry.
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(receiver, &enter);
        QDropEvent event(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(receiver, &event);
    }
};

} // namespace

// The defaults themselves are the golden state file of the start-up tests; here they are shown.
TEST_F(MainWindowTest, StartsWithTheDefaultsWhenThereIsNoStateFile) {
    open();
    EXPECT_EQ(find<QComboBox>("Combo1")->currentText(), "1252");
    EXPECT_EQ(find<QLineEdit>("Text1")->text(), "1212");
    EXPECT_TRUE(find<QCheckBox>("Check6_2")->isChecked());
    EXPECT_EQ(text("Label1_1"), "Lines:0");
    EXPECT_EQ(window->windowTitle(), "kestrel 5.1 ");
    EXPECT_FALSE(find<QPushButton>("Command1")->isEnabled());
    QAction* first = find<QAction>("mnuFile_10");
    EXPECT_EQ(fromQtPath(first->text()), dir.file("test.img"));
    EXPECT_FALSE(first->isEnabled()); // no sample map beside this test's "program"
    EXPECT_FALSE(find<QAction>("mnuFile_11")->isVisible());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(MainWindowTest, LongMapPathIsShortenedAndTheWindowKeepsItsWidthCap) {
    session.map.currentFile = "/maps/" + std::string(200, 'x') + "/Lakes.img";
    open();
    EXPECT_LE(test::windowShot(*window, "main_window_long_path").width(), 965);
    EXPECT_TRUE(text("Label4").contains(QChar(0x2026)));
    EXPECT_EQ(fromQtPath(find<QLabel>("Label4")->toolTip()), session.map.currentFile);
}

// The question asked first is the editor launch's (tested there); here the button starts it.
TEST_F(MainWindowTest, EditCurrentFileStartsTheEditor) {
    session.settings.tinkerPath = dir.write("tnk5.exe", "MZ");
    open();
    ui.answers.push_back(Answer::Yes);
    find<QToolButton>("picture5_1")->click();
    ASSERT_EQ(launcher.started.size(), 1u);
    EXPECT_EQ(launcher.started[0].args, std::vector<std::string>{dir.file("untitled.txt")});
}

// How the recent list reorders is tested with it; here the menu follows.
TEST_F(MainWindowTest, RecentItemLoadMovesItToTheTopAndShowsItsRealPathAndFolder) {
    std::array<std::string, 7> items;
    for (std::size_t i = 0; i < items.size(); ++i)
        items[i] = dir.write(concat({"Maps/M", std::to_string(i), ".IMG"}), kMap);
    dir.write("Maps/Lakes.typ", "TYP");
    session.settings.recent = items;
    open();
    window->loadRecentItem(2); // File item 12
    EXPECT_EQ(fromQtPath(window->windowTitle()), "kestrel 5.1 " + items[2]);
    EXPECT_EQ(fromQtPath(find<QLabel>("Label4")->toolTip()), items[2]);
    EXPECT_EQ(find<QListWidget>("File2")->findItems("Lakes.typ", Qt::MatchExactly).size(), 1);
    EXPECT_EQ(fromQtPath(find<QAction>("mnuFile_10")->text()), items[2]);
    EXPECT_EQ(fromQtPath(find<QAction>("mnuFile_12")->text()), items[1]);
    EXPECT_TRUE(find<QPushButton>("Command1")->isEnabled());
}

TEST_F(MainWindowTest, LoadShowsTheMapAndFileNewClearsIt) {
    const std::string map = sampleMap();
    open();
    window->openBatchPaths({map});
    EXPECT_GT(find<QListWidget>("List1_0")->count(), 0);
    EXPECT_EQ(text("Label1_0"), QString("Polygons:%1").arg(find<QListWidget>("List1_0")->count()));
    EXPECT_EQ(fromQtPath(window->windowTitle()), "kestrel 5.1 " + map);
    EXPECT_TRUE(find<QPushButton>("Command1")->isEnabled());
    EXPECT_FALSE(find<QFrame>("Frame1")->isVisibleTo(window.get()));
    EXPECT_EQ(session.settings.lastdir, map);

    window->fileNew();
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(find<QListWidget>(QString("List1_%1").arg(k))->count(), 0);
        EXPECT_TRUE(text(QString("Label1_%1").arg(k)).endsWith(":0"));
    }
    EXPECT_FALSE(find<QPushButton>("Command1")->isEnabled());
}

// The box and the code page are kept in the state file at closing; each type's objects and levels
// show in its tooltip.
TEST_F(MainWindowTest, CompleteScanShowsObjectsAndLevelsBesideUnchangedEntries) {
    open();
    find<QCheckBox>("CheckComplete")->setChecked(true);
    find<QComboBox>("Combo1")->setEditText("1250");
    window->openBatchPaths(
        {kestrel::test::fixtureDir() + "/maps/complete/every_kind/63240061.img"});
    const QListWidgetItem* bank = find<QListWidget>("List1_2")->item(1);
    EXPECT_EQ(bank->text().toStdString(), "0x2F06");
    EXPECT_EQ(bank->toolTip().toStdString(), "Objects: 2  Levels: 0, 1");
    QSignalSpy closed(window.get(), &MainWindow::closed);
    window->close();
    EXPECT_EQ(closed.count(), 1);
    Settings reread;
    loaddata(session.paths.statefile, reread);
    EXPECT_TRUE(reread.completeScan);
    EXPECT_EQ(reread.codepage.text(), "1250");
}

TEST_F(MainWindowTest, KindBoxAndCountLabelSelectTheKindAndColourTheList) {
    open();
    auto* box = find<QCheckBox>("Check6_1");
    auto* list = find<QListWidget>("List1_1");
    box->click();
    EXPECT_FALSE(session.settings.kindsel[1]);
    EXPECT_EQ(list->palette().color(QPalette::Text), QColor(120, 60, 60));
    QTest::mouseClick(find<QLabel>("Label1_1"), Qt::LeftButton);
    EXPECT_TRUE(box->isChecked());
    EXPECT_TRUE(session.settings.kindsel[1]);
    EXPECT_EQ(list->palette().color(QPalette::Text), QColor(Qt::black));
}

TEST_F(MainWindowTest, EscapeAndTheStopLabelStopABatch) {
    open();
    session.busy = true;
    QTest::mouseClick(find<QLabel>("Label6"), Qt::LeftButton);
    EXPECT_TRUE(ui.stopflag());
    EXPECT_TRUE(ui.messages.empty());
    QTest::keyClick(find<QListWidget>("List1_0"), Qt::Key_Escape); // before the list sees it
    EXPECT_EQ(ui.messages, std::vector<std::string>{
                               "Process halted.\r\n\r\nCreate TYP file if elements are found."});
}

TEST_F(MainWindowTest, TabTogglesTheDumpFlag) {
    open();
    const bool before = session.settings.dumpflag;
    QTest::keyClick(window.get(), Qt::Key_Tab);
    EXPECT_NE(session.settings.dumpflag, before);
    QTest::keyClick(find<QLineEdit>("Text1"), Qt::Key_Tab);
    EXPECT_EQ(session.settings.dumpflag, before);
}

// Which map stays current is the batch reader's rule; here the caption, the status line and
// the one message follow it.
TEST_F(MainWindowTest, NamedFileThatIsNoMapNeitherTitlesTheWindowNorSaysNoInformation) {
    const std::string map = dir.write("good.img", kMap);
    const std::string text = dir.write("text.img", "no map here");
    open();
    window->openNamedMaps({toQtPath(map), toQtPath(text)});
    EXPECT_GT(find<QListWidget>("List1_1")->count(), 0);
    EXPECT_EQ(fromQtPath(window->windowTitle()), "kestrel 5.1 " + map);
    EXPECT_EQ(fromQtPath(find<QLabel>("Label4")->toolTip()), map);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(startsWith(ui.messages[0], kUnreadableMaps));
}

// The real box for 60 long unreadable paths: it fits the (800 by 600) screen, and its details
// hold the whole list.
TEST_F(MainWindowTest, ALongListOfUnreadableMapsFitsTheScreen) {
    QStringList paths;
    for (int i = 0; i < 60; ++i)
        paths << toQtPath(dir.file(std::string(200, 'd') + "/map" + std::to_string(i) + ".img"));
    QtUiPort boxes;
    MainWindow shown(session, boxes, launcher);
    QSize size;
    qsizetype detailLines = 0;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        detailLines = box->detailedText().count('\n') + 1;
        size = test::windowShot(*box, "unreadable_maps").size();
        box->accept();
    });
    shown.openNamedMaps(paths);
    EXPECT_LE(size.height(), shown.screen()->availableGeometry().height());
    EXPECT_EQ(detailLines, 60);
}

TEST_F(MainWindowTest, DropsOnAListLoadUntilTheFirstNonMapAndOnTheWindowOnlyTheFirst) {
    const std::string a = dir.write("a.img", kMap);
    const std::string b = dir.write("b.txt", kMap);
    const std::string c = dir.write("c.img", kMap);
    open();
    drop(find<QListWidget>("List1_2"), {a, b, c});
    EXPECT_EQ(session.settings.recent[0], a);
    EXPECT_EQ(session.map.currentFile, a);
    drop(window.get(), {c, a});
    EXPECT_EQ(session.map.currentFile, c);
    EXPECT_EQ(session.settings.recent[0], c);
    EXPECT_EQ(session.settings.recent[1], a);
}

TEST_F(MainWindowTest, TypFileListOpensAndDeletesFilesOfTheUserFolder) {
    const std::string typ = dir.write("mine.typ", "TYP");
    open();
    auto* list = find<QListWidget>("File1");
    ASSERT_EQ(list->count(), 1);
    list->setCurrentRow(0);
    emit list->itemDoubleClicked(list->item(0));
    EXPECT_EQ(launcher.opened, std::vector<std::string>{typ});

    ui.answers.push_back(Answer::Yes);
    window->deleteSelectedTypFile();
    EXPECT_EQ(ui.questions,
              std::vector<std::string>{"This will delete 'mine.typ' . Do you want to continue?"});
    EXPECT_FALSE(fileExists(typ));
    EXPECT_EQ(list->count(), 0);
    window->deleteSelectedTypFile();
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Please select TYP file."});
}

namespace {

// Runs the command, which opens a modal window, and closes that window from the event loop;
// returns the window's title and the text of its child with the given name.
std::pair<QString, QString> closeModal(const std::function<void()>& command,
                                       const QString& childName = {}) {
    std::pair<QString, QString> seen;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        seen.first = modal->windowTitle();
        if (auto* label = modal->findChild<QLabel*>(childName)) seen.second = label->text();
        modal->close();
    });
    command();
    return seen;
}

} // namespace

TEST_F(MainWindowTest, SelectionWindowScansOnceAndKeepsTheLastChoice) {
    open();
    for (const bool first : {true, false}) {
        QTimer::singleShot(0, [&] {
            auto* s = qobject_cast<SelectionWindow*>(QApplication::activeModalWidget());
            if (first) s->setProducts({{"A", dir.path(), 1, {}}, {"B", dir.path(), 2, {}}});
            if (first) s->chooseProduct(1);
            EXPECT_EQ(s->findChild<QListWidget*>("List1")->currentRow(), 1);
            s->reject();
        });
        window->fileOpen();
    }
}

TEST_F(MainWindowTest, CtrlOOpensF1ShowsTheManualCtrlQQuits) {
    open();
    window->show();
    QString modal; // the window Ctrl+O opens, closed from the event loop
    QTimer::singleShot(300, window.get(), [&modal] {
        if (QWidget* w = QApplication::activeModalWidget()) modal = w->windowTitle(), w->close();
    });
    QSignalSpy closed(window.get(), &MainWindow::closed);
    for (const QKeyCombination k :
         {Qt::CTRL | Qt::Key_O, QKeyCombination(Qt::Key_F1), Qt::CTRL | Qt::Key_Q}) {
        window->activateWindow();
        if (QTest::qWaitForWindowActive(window.get()))
            QTest::keyClick(window.get(), k.key(), k.keyboardModifiers());
    }
    EXPECT_EQ(modal, "Multi Select IMGs");
    EXPECT_EQ(launcher.opened, std::vector<std::string>{std::string(kHelpPages[1].url)});
    EXPECT_EQ(closed.count(), 1);
}

TEST_F(MainWindowTest, MenuItemsOpenTheirWindowsAndClosingMakesNothing) {
    open();
    // The title of the window and its version label, which only About has.
    const std::array<std::array<QString, 3>, 2> cases{
        {{"mnuTools_4", "Create Lines", ""}, {"mnuFile_6", "Information", "Version 5.1"}}};
    for (const auto& [item, title, version] : cases) {
        const auto seen = closeModal([&] { find<QAction>(item)->trigger(); }, "version");
        EXPECT_EQ(seen, std::make_pair(title, version));
    }
    EXPECT_FALSE(fileExists(joinPath(session.paths.userdir, "untitled.typ")));
}

TEST_F(MainWindowTest, AllSettingsRefreshesIndicatorsAndIcons) {
    open();
    session.settings.kindmode = {1, 0, 0};
    session.settings.tinkerPath = dir.write("tnk5.exe", "MZ");
    closeModal([this] { window->allSettings(); });
    EXPECT_EQ(text("lbl_0"), "C");
    EXPECT_EQ(text("lbl_1"), "-");
    EXPECT_EQ(text("lbl_2"), "-");
    EXPECT_TRUE(find<QToolButton>("picture5_1")->isVisibleTo(window.get()));
    EXPECT_FALSE(find<QToolButton>("picture5_0")->isVisibleTo(window.get())); // covered
}

TEST_F(MainWindowTest, CreateTypFileWritesTheTextAndOpensIt) {
    open();
    QTimer::singleShot(0, [] {
        if (QWidget* names = QApplication::activeModalWidget())
            names->findChild<QPushButton*>("create")->click();
    });
    window->createTypFile();
    const std::string typfile = dir.file("untitled.txt");
    ASSERT_TRUE(fileExists(typfile));
    EXPECT_TRUE(startsWith(readTextIfPresent(typfile), "[_id]\r\nProductCode="));
    EXPECT_TRUE(session.txtdone);
    EXPECT_EQ(launcher.opened, std::vector<std::string>{typfile});
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(startsWith(ui.messages[0], "'" + typfile + " has been created."));
    // The Preview of what was written.
    EXPECT_NE(window->findChild<legend::LegendWindow*>("legendWindow"), nullptr);
    EXPECT_TRUE(session.styledTyp);
}

TEST_F(MainWindowTest, CompileWritesTheTypBesideTheTextWrittenLast) {
    session.settings.typfile = dir.write("roads.txt", "[_polygon]\nType=0x01\nXpm=\"0 0 1 0\"\n"
                                                      "\"a c #102030\"\n[end]\n");
    open();
    QTest::mouseClick(find<QPushButton>("CommandCompile"), Qt::LeftButton);
    EXPECT_TRUE(fileExists(dir.file("roads.typ")));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(startsWith(ui.messages[0], "Compiled roads.typ: 1 polygon, 0 lines"));
    auto* preview = window->findChild<legend::LegendWindow*>("legendWindow");
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(preview->windowTitle().endsWith("roads.typ"));
}

// File > Open TYP… shows the Preview, whose switch redraws the sheet by night; the lists then
// show the swatch of each type the TYP styles, and a TYP that cannot be shown is named. Its
// pictures are tools/screenshots_tools.sh's.
TEST(WindowShots, OpenTypShowsThePreviewAndTheListsShowItsSwatches) {
    TempDir dir;
    Session session;
    RecordingPort ui;
    FakeLauncher launcher;
    startup(session, dir.path(), "");
    MainWindow window(session, ui, launcher);
    const std::string map = dir.write("roads.img", kMap);
    const std::string typ =
        dir.write("roads.txt", "[_line]\nType=0x06\nLineWidth=2\nXpm=\"0 0 1 0\"\n"
                               "\"1 c #C02020\"\n[end]\n");
    window.openNamedMaps({toQtPath(map)});
    QTimer::singleShot(0, [&typ] {
        if (auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            files->selectFile(toQtPath(typ));
            QMetaObject::invokeMethod(files, "accept");
        }
    });
    window.findChild<QAction*>("mnuOpenTyp")->trigger();
    auto* preview = window.findChild<legend::LegendWindow*>("legendWindow");
    ASSERT_NE(preview, nullptr);
    auto* picture = preview->findChild<QLabel*>("legendPicture");
    const qint64 day = picture->pixmap().cacheKey();
    test::windowShot(*preview, "legend_preview_day");
    QTest::mouseClick(preview->findChild<QRadioButton*>("legendNight"), Qt::LeftButton);
    EXPECT_NE(picture->pixmap().cacheKey(), day);
    test::windowShot(*preview, "legend_preview_night");
    auto* lines = window.findChild<QListWidget*>("List1_1");
    ASSERT_EQ(lines->count(), 1);
    EXPECT_FALSE(lines->item(0)->icon().isNull());
    test::windowShot(window, "main_with_swatches");
    window.previewTyp(dir.file("none.typ"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(startsWith(ui.messages[0], "Cannot show the legend of "));
}

TEST_F(MainWindowTest, SaveAsTextSaysNoDataOrWritesTheChosenNameWithTxtAdded) {
    open();
    window->saveAsText();
    EXPECT_EQ(ui.messages, std::vector<std::string>{"No data"});
    session.map.inventory.list(kPolygons).emplace_back(TypeCode(0x0100), Origin::PolygonOverview);
    const std::string chosen = dir.file("roads");
    QTimer::singleShot(0, [&chosen] {
        if (auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            files->selectFile(toQtPath(chosen));
            QMetaObject::invokeMethod(files, "accept");
        }
    });
    window->saveAsText();
    EXPECT_EQ(session.settings.typfile, chosen + ".txt");
    EXPECT_TRUE(fileExists(chosen + ".txt"));
}

TEST_F(MainWindowTest, PutTypIntoMapAsksForMapTypAndNewMapThenSaysWhatItWrote) {
    open();
    const std::string maps = test::fixtureDir() + "/maps/";
    const std::string out = dir.file("new.img");
    std::deque<std::string> picks{maps + "two_tiles/gmapsupp.img", maps + "with_typ/style_blue.typ",
                                  out};
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&picks] {
        auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!files || picks.empty()) return;
        files->selectFile(toQtPath(picks.front()));
        picks.pop_front();
        QMetaObject::invokeMethod(files, "accept");
    });
    answer.start(0);
    find<QAction>("mnuPutTyp")->trigger();
    EXPECT_TRUE(picks.empty());
    EXPECT_EQ(ui.messages, std::vector<std::string>{"wrote " + out +
                                                    ": STYLE_BL.TYP added, family ID 6325, "
                                                    "product 2, 12288 bytes"});
}
