#include "installed/ui/selection_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileSystemModel>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

#include "base/ui/qt_ui_port.h"
#include "installed/install_fixture.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"

namespace kestrel {
namespace {

using installed::InstalledProduct;
using installed::ProductSource;

class SelectionWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* name : {"c.img", "a.img", "b.IMG"})
            dir.write(std::string("Lakes/Product1/") + name, "m");
        dir.write("NT/D1/one.gmp", "g");
        dir.write("NT/D2/two.gmp", "g");
        dir.write("last/x.img", "m");
        dir.write("last/y.gmp", "m");
        dir.write("last/z.txt", "m");
        start.apppath = dir.path();
        start.lastdir = dir.path() + "/last/x.img";
    }

    void makeWindow() {
        window = std::make_unique<SelectionWindow>(start, extendDirectories, ui);
        window->setProducts(
            {{"Kestrel Lakes", dir.path() + "/Lakes/Product1", 888, ProductSource::MapPackages},
             {"City NT", dir.path() + "/NT", 5, ProductSource::FamiliesNt}});
        window->show();
    }
    QListWidget* list(const char* name) { return window->findChild<QListWidget*>(name); }
    QPushButton* button(const char* name) { return window->findChild<QPushButton*>(name); }
    QStringList texts(QListWidget* l) {
        QStringList r;
        for (int i = 0; i < l->count(); ++i) r << l->item(i)->text();
        return r;
    }

    test::TempDir dir;
    SelectionStart start;
    int extendDirectories = 0;
    test::FakeUi ui;
    std::unique_ptr<SelectionWindow> window;
};

TEST_F(SelectionWindowTest, ShowsItsCaptionsAndStartsInTheLastMapFolder) {
    makeWindow();
    EXPECT_EQ(window->windowTitle(), "Multi Select IMGs");
    EXPECT_EQ(button("open")->text(), "Open");
    EXPECT_EQ(button("cancel")->text(), "Cancel");
    EXPECT_EQ(button("search")->text(), "Search");
    EXPECT_EQ(window->findChild<QLabel*>("hint")->text(),
              "Select a IMG or GMP File then click OPEN");
    EXPECT_EQ(window->findChild<QCheckBox*>("extend")->text(), "Extend Directories");
    EXPECT_EQ(texts(list("List1")), (QStringList{"Kestrel Lakes", "City NT"}));
    EXPECT_EQ(texts(list("File1")), (QStringList{"x.img", "y.gmp"}));
    EXPECT_EQ(list("File1")->selectionMode(), QAbstractItemView::ExtendedSelection);
}

// The selection's rules are tested with ProductSelection; here the lists and buttons reach it
// and its answers are shown.
TEST_F(SelectionWindowTest, ChosenProductsAndFilesReachTheSelectionAndComeBack) {
    makeWindow();
    window->chooseProduct(0);
    button("open")->click(); // nothing selected yet
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Please select img(s)/gmp(s)."});
    EXPECT_TRUE(window->isVisible());
    list("File1")->item(1)->setSelected(true);
    button("open")->click();
    EXPECT_EQ(window->result(), QDialog::Accepted);
    EXPECT_EQ(window->selectedPaths(),
              std::vector<std::string>{dir.path() + "/Lakes/Product1/b.IMG"});

    window->findChild<QLineEdit*>("searchText")->setText("city");
    button("search")->click();
    EXPECT_EQ(list("List1")->currentRow(), 1);
    EXPECT_EQ(window->findChild<QStackedWidget*>()->currentWidget(), list("List3"));
    EXPECT_EQ(texts(list("List3")), (QStringList{"one.gmp", "two.gmp"}));
}

TEST_F(SelectionWindowTest, ExtendDirectoriesIsRememberedAndCancelHandsBackNothing) {
    makeWindow();
    auto* extend = window->findChild<QCheckBox*>("extend");
    EXPECT_FALSE(extend->isChecked());
    EXPECT_FALSE(window->findChild<QFrame*>("frameExtend")->isVisible());
    extend->setChecked(true);
    EXPECT_TRUE(window->findChild<QFrame*>("frameExtend")->isVisible());
    button("cancel")->click();
    EXPECT_EQ(window->result(), QDialog::Rejected);
    EXPECT_EQ(extendDirectories, 1);
    EXPECT_TRUE(window->selectedPaths().empty());

    makeWindow(); // the next opening starts with the frame shown
    EXPECT_TRUE(window->findChild<QCheckBox*>("extend")->isChecked());
    EXPECT_TRUE(window->findChild<QFrame*>("frameExtend")->isVisible());
}

TEST_F(SelectionWindowTest, FolderChosenInTheTreeListsItsMaps) {
    makeWindow();
    window->goToFolder(dir.path() + "/Lakes/Product1");
    EXPECT_EQ(texts(list("File1")), (QStringList{"a.img", "b.IMG", "c.img"}));
    EXPECT_GE(window->findChild<QComboBox*>("Drive1")->count(), 1);
}

TEST_F(SelectionWindowTest, EnterInTheSearchBoxOnlySearchesAndTheTreeShowsTheFolder) {
    for (int i = 0; i < 80; ++i) dir.write("many/f" + std::to_string(100 + i) + "/x.img", "m");
    start.lastdir = dir.path() + "/many/f179";
    makeWindow();
    window->findChild<QCheckBox*>("extend")->setChecked(true);
    QTest::keyClick(window->findChild<QLineEdit*>("searchText"), Qt::Key_Return);
    EXPECT_TRUE(ui.messages.empty());
    auto* tree = window->findChild<QTreeView*>("Dir1");
    EXPECT_EQ(fromQtPath(tree->currentIndex().data(QFileSystemModel::FilePathRole).toString()),
              dir.path() + "/Lakes/Product1");
    // The folders arrive from the disk while the window is up: once the 80 are in, the tree
    // shows the current folder again.
    const auto* folders = static_cast<const QFileSystemModel*>(tree->model());
    const QModelIndex many = folders->index(toQt(dir.path() + "/many"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return folders->rowCount(many) == 80; }));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return tree->viewport()->rect().contains(tree->visualRect(tree->currentIndex())); }));
}

// The first showing scans this machine: here a Wine prefix named by the environment.
TEST(SelectionWindowScan, FirstShowingListsTheProductsOfTheWinePrefix) {
    test::FakeInstall fake;
    fake.writeSystemReg("[Software\\\\Garmin\\\\MapSource\\\\Families\\\\F\\\\1]\n"
                        "\"Loc\"=\"C:\\\\Garmin\\\\Lakes\\\\\"\n"
                        "\"Tdb\"=\"C:\\\\Garmin\\\\Lakes\\\\kestrel_lakes.tdb\"\n");
    fake.installMap(fake.driveC("Garmin/Lakes"), test::lakesTdb());
    const QByteArray oldPrefix = qgetenv("WINEPREFIX"), oldUser = qgetenv("USER");
    qputenv("WINEPREFIX", QByteArray::fromStdString(fake.prefix()));
    qputenv("USER", "kestrel-nobody");
    int extendDirectories = 0;
    test::FakeUi ui;
    SelectionWindow window({"", fake.root()}, extendDirectories, ui);
    window.show();
    qputenv("WINEPREFIX", oldPrefix);
    qputenv("USER", oldUser);
    auto* products = window.findChild<QListWidget*>("List1");
    ASSERT_EQ(products->count(), 1);
    EXPECT_EQ(products->item(0)->text(), "Kestrel Lakes");
    window.chooseProduct(0);
    EXPECT_EQ(window.findChild<QListWidget*>("File1")->item(0)->text(), "63248801.img");
    EXPECT_TRUE(ui.messages.empty());
}

} // namespace
} // namespace kestrel
