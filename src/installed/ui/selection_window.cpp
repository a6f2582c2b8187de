#include "installed/ui/selection_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QStorageInfo>
#include <QTreeView>
#include <QVBoxLayout>

#include "base/messages.h"
#include "base/paths.h"
#include "base/platform/platform.h"
#include "base/ui/qt_ui_port.h"
#include "installed/messages.h"
#include "installed/product_scan.h"

namespace kestrel {
namespace {

// Roots the drive chooser offers: the drives on Windows; elsewhere the file system root, the
// home folder and mounted removable or network volumes.
QStringList driveRoots() {
    QStringList roots;
    if constexpr (platform::kSystem == platform::System::Windows) {
        for (const QFileInfo& d : QDir::drives())
            roots << QDir::toNativeSeparators(d.absoluteFilePath());
        return roots;
    }
    roots << "/" << QDir::homePath();
    for (const QStorageInfo& v : QStorageInfo::mountedVolumes()) {
        const QString root = v.rootPath();
        if (!v.isValid() || !v.isReady() || roots.contains(root)) continue;
        for (const char* place : {"/media/", "/run/media/", "/mnt/", "/Volumes/"})
            if (root.startsWith(place)) roots << root;
    }
    return roots;
}

// Names from TDB files are 8-bit code-page text; names taken from folders are file-system text.
QString productText(const installed::InstalledProduct& p) {
    const bool fromFolder = p.source == installed::ProductSource::MapPackages ||
                            p.source == installed::ProductSource::Devices;
    return fromFolder ? toQtPath(p.name) : toQt(p.name);
}

QListWidget* multiSelectList(const char* name) {
    auto* list = new QListWidget;
    list->setObjectName(name);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    return list;
}

} // namespace

SelectionWindow::SelectionWindow(SelectionStart start, int& extendDirectories, UiPort& ui,
                                 QWidget* parent)
    : QDialog(parent), start_(std::move(start)), extendDirectories_(extendDirectories), ui_(ui),
      selection_(ui) {
    setWindowTitle(toQt(kSelectionTitle));

    auto* mapsFound = new QLabel(toQt(kMapsFound));
    products_ = new QListWidget;
    products_->setObjectName("List1");
    mapsFound->setBuddy(products_);
    connect(products_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { chooseProduct(products_->row(item)); });

    files_ = multiSelectList("File1");
    ntFiles_ = multiSelectList("List3");
    fileStack_ = new QStackedWidget;
    fileStack_->addWidget(files_);
    fileStack_->addWidget(ntFiles_);
    for (QListWidget* list : {files_, ntFiles_})
        connect(list, &QListWidget::itemDoubleClicked, this, &SelectionWindow::openSelected);
    auto* hint = new QLabel(toQt(kSelectionHint));
    hint->setObjectName("hint");

    extend_ = new QCheckBox(toQt(kExtendDirectories));
    extend_->setObjectName("extend");
    auto* open = new QPushButton(toQt(kOpenButton));
    auto* cancel = new QPushButton(toQt(kCancel));
    open->setObjectName("open");
    cancel->setObjectName("cancel");
    open->setDefault(true);
    connect(open, &QPushButton::clicked, this, &SelectionWindow::openSelected);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(extend_, &QCheckBox::toggled, this, &SelectionWindow::setExtended);

    // The extended frame: drive chooser, folder tree, browse, search.
    frame_ = new QFrame;
    frame_->setObjectName("frameExtend");
    frame_->setFrameShape(QFrame::StyledPanel);
    drives_ = new QComboBox;
    drives_->setObjectName("Drive1");
    drives_->addItems(driveRoots());
    folders_ = new QFileSystemModel(this);
    folders_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    folders_->setRootPath("");
    tree_ = new QTreeView;
    tree_->setObjectName("Dir1");
    tree_->setModel(folders_);
    for (int column = 1; column < folders_->columnCount(); ++column) tree_->hideColumn(column);
    tree_->header()->hide();
    auto* browseButton = new QPushButton(toQt(kBrowseButton));
    browseButton->setObjectName("browse");
    searchText_ = new QLineEdit;
    searchText_->setObjectName("searchText");
    auto* searchButton = new QPushButton(toQt(kSearchButton));
    searchButton->setObjectName("search");
    connect(drives_, &QComboBox::textActivated, this, [this](const QString& root) {
        setTreeRoot(root);
        goToFolder(fromQtPath(root));
    });
    connect(tree_, &QTreeView::clicked, this, [this](const QModelIndex& index) {
        goToFolder(fromQtPath(folders_->filePath(index)));
    });
    connect(browseButton, &QPushButton::clicked, this, &SelectionWindow::browse);
    connect(searchButton, &QPushButton::clicked, this, &SelectionWindow::search);
    connect(searchText_, &QLineEdit::returnPressed, this, &SelectionWindow::search);

    auto* frameLayout = new QVBoxLayout(frame_);
    frameLayout->addWidget(drives_);
    frameLayout->addWidget(tree_, 1);
    frameLayout->addWidget(browseButton);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(searchText_, 1);
    searchRow->addWidget(searchButton);
    frameLayout->addLayout(searchRow);

    auto* productColumn = new QVBoxLayout;
    productColumn->addWidget(mapsFound);
    productColumn->addWidget(products_, 1);
    auto* fileColumn = new QVBoxLayout;
    fileColumn->addWidget(fileStack_, 1);
    fileColumn->addWidget(hint);
    auto* lists = new QHBoxLayout;
    lists->addLayout(productColumn, 3);
    lists->addLayout(fileColumn, 2);
    lists->addWidget(frame_, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(extend_);
    buttons->addStretch(1);
    buttons->addWidget(open);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addLayout(buttons);
    resize(860, 440);

    // Start where the last batch came from.
    selection_.showFolder(installed::startFolder(start_.lastdir, start_.apppath), kPatternMaps);
    pointDriveAt(selection_.folder());
    fillFiles();
    extend_->setChecked(extendDirectories_ != 0);
    frame_->setVisible(extend_->isChecked());
}

void SelectionWindow::setProducts(std::vector<installed::InstalledProduct> products) {
    selection_.setProducts(std::move(products));
    scanned_ = true;
    fillProducts();
}

void SelectionWindow::showEvent(QShowEvent* event) {
    if (!scanned_) {
        // The scans run once, when the window is first shown.
        scanned_ = true;
        selection_.setProducts(
            installed::scanInstalledProducts(installed::ProductEnvironment::fromProcess(), ui_));
        fillProducts();
    }
    QDialog::showEvent(event);
}

void SelectionWindow::done(int result) {
    extendDirectories_ = extend_->isChecked() ? 1 : 0;
    if (result != QDialog::Accepted) selected_.clear();
    QDialog::done(result);
}

void SelectionWindow::fillProducts() {
    products_->clear();
    for (const auto& p : selection_.products()) products_->addItem(productText(p));
}

void SelectionWindow::fillFiles() {
    files_->clear();
    ntFiles_->clear();
    for (const std::string& name : selection_.files()) files_->addItem(toQtPath(name));
    for (const std::string& name : selection_.ntNames()) ntFiles_->addItem(toQtPath(name));
    fileStack_->setCurrentWidget(selection_.ntShown() ? ntFiles_ : files_);
}

void SelectionWindow::setTreeRoot(const QString& root) {
    tree_->setRootIndex(folders_->index(root));
}

void SelectionWindow::pointDriveAt(const std::string& folder) {
    // The chooser shows the longest root that holds the folder.
    const QString path = toQtPath(folder);
    int best = -1;
    for (int i = 0; i < drives_->count(); ++i) {
        const QString root = drives_->itemText(i);
        if (path.startsWith(root, Qt::CaseInsensitive) &&
            (best < 0 || root.size() > drives_->itemText(best).size()))
            best = i;
    }
    if (best >= 0) {
        drives_->setCurrentIndex(best);
        setTreeRoot(drives_->itemText(best));
    }
    const QModelIndex index = folders_->index(path);
    if (index.isValid()) {
        tree_->setCurrentIndex(index);
        tree_->scrollTo(index);
    }
}

void SelectionWindow::goToFolder(const std::string& folder) {
    selection_.showFolder(folder, kPatternMaps);
    pointDriveAt(folder);
    fillFiles();
}

void SelectionWindow::chooseProduct(int row) {
    if (row < 0) return;
    selection_.choose(static_cast<std::size_t>(row));
    products_->setCurrentRow(row);
    pointDriveAt(selection_.folder());
    fillFiles();
}

void SelectionWindow::search() {
    if (const auto row = selection_.search(fromQt(searchText_->text()))) {
        products_->setCurrentRow(static_cast<int>(*row));
        pointDriveAt(selection_.folder());
        fillFiles();
    }
}

void SelectionWindow::browse() {
    QString filters;
    for (const auto& f : kBrowseFilters) {
        // Qt reads the patterns from the parentheses of the label; a label without them gets its
        // patterns added.
        const QString label = toQt(f.label).trimmed();
        if (!filters.isEmpty()) filters += ";;";
        filters +=
            label.contains('(') ? label : label + " (" + toQt(f.pattern).replace(';', ' ') + ")";
    }
    const QString file = QFileDialog::getOpenFileName(this, toQt(kBrowseButton).remove("..."),
                                                      toQtPath(selection_.folder()), filters);
    if (file.isEmpty()) return;
    goToFolder(folderOf(fromQtPath(file), start_.apppath));
    const auto matches = files_->findItems(QFileInfo(file).fileName(), Qt::MatchExactly);
    for (QListWidgetItem* item : matches) item->setSelected(true);
}

void SelectionWindow::setExtended(bool on) {
    frame_->setVisible(on);
}

std::vector<std::size_t> SelectionWindow::selectedRows() const {
    const QListWidget* list = selection_.ntShown() ? ntFiles_ : files_;
    std::vector<std::size_t> rows;
    for (const QListWidgetItem* item : list->selectedItems())
        rows.push_back(static_cast<std::size_t>(list->row(item)));
    return rows;
}

void SelectionWindow::openSelected() {
    if (auto paths = selection_.open(selectedRows())) {
        selected_ = std::move(*paths);
        accept();
    }
}

} // namespace kestrel
