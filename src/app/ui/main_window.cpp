#include "app/ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/editor_launch.h"
#include "app/messages.h"
#include "app/session.h"
#include "app/shell_commands.h"
#include "app/startup.h"
#include "app/ui/drop_list.h"
#include "app/ui/elided_label.h"
#include "app/ui/icon_art.h"
#include "base/ui/clickable_label.h"
#include "base/ui/qt_ui_port.h"
#include "legend/ui/type_swatch.h"
#include "mapread/complete_inventory.h"
#include "typbin/messages.h"

namespace kestrel {
namespace {

// The window never grows beyond 14472 x 10128 twips.
constexpr int kMaxWidth = 965;
constexpr int kMaxHeight = 675;
constexpr int kIconSize = 32;
// The help page that F1 opens.
constexpr std::size_t kManualPage = 1;

QString indexed(const char* name, int i) {
    return QString("%1_%2").arg(name).arg(i);
}

QLabel* smallLabel(const QString& text) {
    auto* l = new QLabel(text);
    QFont f = l->font();
    f.setPointSizeF(f.pointSizeF() * 0.9);
    l->setFont(f);
    return l;
}

} // namespace

MainWindow::MainWindow(Session& session, QtUiPort& ui, Launcher& launcher, QWidget* parent)
    : QMainWindow(parent), session_(session), ui_(ui), launcher_(launcher),
      rng_(std::random_device{}()) {
    setObjectName("MainWindow");
    setWindowIcon(programIcon());
    setAcceptDrops(true);
    ui_.setParent(this);
    ui_.onProgress([this](float p) { progr(p); });

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(10, 8, 10, 6);
    layout->setSpacing(8);
    layout->addWidget(buildTopBar());
    auto* middle = new QHBoxLayout;
    middle->setSpacing(8);
    for (int k = 0; k < 3; ++k) middle->addWidget(buildKindColumn(k), 3);
    middle->addWidget(buildTypFiles(), 2);
    layout->addLayout(middle, 1);
    layout->addWidget(buildBottomBar());
    setCentralWidget(central);
    buildMenus();

    setMaximumSize(kMaxWidth, kMaxHeight);
    resize(940, 640);

    // The start-up work that needs the window: editor icons, code pages, lists, kind boxes and
    // style marks; the core did the rest before the window was made.
    arrangeEditorIcons();
    for (std::string_view cp : kCodePages) codepage_->addItem(toQt(cp));
    refreshFromSession();
    for (int k = 0; k < 3; ++k) {
        kinds_[static_cast<std::size_t>(k)]->setChecked(
            session_.settings.kindsel[static_cast<std::size_t>(k)]);
        colourList(k);
    }
    shw_tp();
    buttonenable(true);
    create_->setEnabled(false); // until the first load has finished
    if (const QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
    qApp->installEventFilter(this);
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
    ui_.onProgress({});
    ui_.setParent(nullptr);
}

void MainWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu(toQt(kMenuFile));
    file->addAction(toQt(kMenuNew), this, &MainWindow::fileNew)->setObjectName("mnuFile_0");
    // The usual keys; the window's own keys are Escape and Tab.
    QAction* open = file->addAction(toQt(kMenuOpen), this, &MainWindow::fileOpen);
    open->setObjectName("mnuFile_1");
    open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    file->addAction(toQt(kMenuOpenTyp), this, &MainWindow::openTypPreview)
        ->setObjectName("mnuOpenTyp");
    file->addSeparator();
    file->addAction(toQt(kMenuSaveAsText), this, &MainWindow::saveAsText)
        ->setObjectName("mnuFile_3");
    file->addAction(toQt(kMenuPutTyp), this, &MainWindow::putTypIntoMap)
        ->setObjectName("mnuPutTyp");
    file->addSeparator();
    file->addAction(toQt(kMenuCheckForUpdates), this, &MainWindow::checkForUpdates)
        ->setObjectName("mnuFile_5");
    file->addAction(toQt(kMenuAbout), this, &MainWindow::about)->setObjectName("mnuFile_6");
    file->addSeparator();
    QAction* exit = file->addAction(toQt(kMenuExit), this, &QWidget::close);
    exit->setObjectName("mnuFile_8");
    exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    file->addSeparator();
    for (int i = 0; i < 7; ++i) {
        recent_[static_cast<std::size_t>(i)] =
            file->addAction(QString(), this, [this, i] { loadRecentItem(i); });
        recent_[static_cast<std::size_t>(i)]->setObjectName(indexed("mnuFile", 10 + i));
    }

    QMenu* settings = menuBar()->addMenu(toQt(kMenuSettings));
    settings->addAction(toQt(kAllSettings), this, &MainWindow::allSettings)
        ->setObjectName("mnuSettings_0");

    QMenu* tools = menuBar()->addMenu(toQt(kMenuTools));
    tools->addAction(toQt(kColourPicker), this, &MainWindow::openColourPicker)
        ->setObjectName("mnuTools_0");
    tools->addSeparator();
    const std::array<std::string_view, 5> generators{kMenuExtraPois, kMenuPois, kMenuLines,
                                                     kMenuPolygons, kMenuActiveRoutes};
    for (std::size_t i = 0; i < generators.size(); ++i) {
        const int item = static_cast<int>(i) + 2;
        tools->addAction(toQt(generators[i]), this, [this, item] { runGenerator(item); })
            ->setObjectName(indexed("mnuTools", item));
    }

    QMenu* help = menuBar()->addMenu(toQt(kMenuHelp));
    for (std::size_t i = 0; i < kHelpPages.size(); ++i) {
        if (i == 3) help->addSeparator();
        const std::string url(kHelpPages[i].url);
        QAction* a = help->addAction(toQt(kHelpPages[i].caption), this,
                                     [this, url] { launcher_.openDefault(url, {}); });
        a->setObjectName(indexed("mnuHelp", i == 3 ? 4 : static_cast<int>(i)));
        if (i == kManualPage) a->setShortcut(QKeySequence(Qt::Key_F1));
    }
}

QWidget* MainWindow::buildTopBar() {
    auto* bar = new QFrame;
    bar->setObjectName("topBar");
    bar->setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(bar);
    grid->setContentsMargins(10, 8, 10, 8);
    grid->setHorizontalSpacing(10);

    open_ = new QPushButton(toQt(kOpenImg));
    open_->setObjectName("Command3");
    create_ = new QPushButton(toQt(kCreateTypFile));
    create_->setObjectName("Command1");
    compile_ = new QPushButton(toQt(kCompileTyp));
    compile_->setObjectName("CommandCompile");
    compile_->setToolTip(toQt(kCompileTypTip));
    for (QPushButton* b : {open_, create_, compile_}) b->setMinimumHeight(30);
    QFont bold = create_->font();
    bold.setBold(true);
    create_->setFont(bold);
    connect(open_, &QPushButton::clicked, this, &MainWindow::fileOpen);
    connect(create_, &QPushButton::clicked, this, &MainWindow::createTypFile);
    connect(compile_, &QPushButton::clicked, this, &MainWindow::compileTypFile);

    fid_ = new QLineEdit;
    fid_->setObjectName("Text1");
    product_ = new QLineEdit;
    product_->setObjectName("Text2");
    for (QLineEdit* e : {fid_, product_}) e->setMaximumWidth(70);
    codepage_ = new QComboBox;
    codepage_->setObjectName("Combo1");
    codepage_->setEditable(true);
    codepage_->setMaximumWidth(80);
    auto* codepageLabel = new QLabel(toQt(kCodepageLabel));
    codepageLabel->setObjectName("Label10_2");

    highways_ = new QCheckBox(toQt(kHighways));
    highways_->setObjectName("Check1");
    complete_ = new QCheckBox(toQt(kCompleteScan));
    complete_->setObjectName("CheckComplete");
    auto* readOptions = new QHBoxLayout;
    readOptions->addWidget(highways_);
    readOptions->addWidget(complete_);
    colourPicker_ = new QCheckBox(toQt(kColourPicker));
    colourPicker_->setObjectName("Check3");
    draworder_ = new QCheckBox(toQt(kDraworder));
    draworder_->setObjectName("Check5");
    connect(colourPicker_, &QCheckBox::toggled, this, [this](bool on) {
        if (on) openColourPicker();
    });

    grid->addWidget(open_, 0, 0);
    auto* typButtons = new QHBoxLayout;
    typButtons->addWidget(create_, 1);
    typButtons->addWidget(compile_);
    grid->addLayout(typButtons, 1, 0);
    grid->addWidget(new QLabel(toQt(kFidLabel)), 0, 1, Qt::AlignRight);
    grid->addWidget(fid_, 0, 2);
    grid->addWidget(new QLabel(toQt(kProductCodeLabel)), 1, 1, Qt::AlignRight);
    grid->addWidget(product_, 1, 2);
    grid->addWidget(codepageLabel, 0, 3, Qt::AlignRight);
    grid->addWidget(codepage_, 0, 4);
    grid->addLayout(readOptions, 0, 6);
    grid->addWidget(colourPicker_, 1, 6);
    grid->addWidget(draworder_, 0, 7);
    grid->setColumnStretch(5, 1);
    grid->setColumnStretch(8, 1);
    return bar;
}

QWidget* MainWindow::buildKindColumn(int kind) {
    const auto k = static_cast<std::size_t>(kind);
    auto* column = new QFrame;
    column->setFrameShape(QFrame::StyledPanel);
    auto* v = new QVBoxLayout(column);
    v->setContentsMargins(6, 6, 6, 6);
    auto* head = new QHBoxLayout;
    kinds_[k] = new QCheckBox;
    kinds_[k]->setObjectName(indexed("Check6", kind));
    counts_[k] = new ClickableLabel(toQt(kKindCaptions[k]));
    counts_[k]->setObjectName(indexed("Label1", kind));
    QFont bold = counts_[k]->font();
    bold.setBold(true);
    counts_[k]->setFont(bold);
    modes_[k] = new ClickableLabel;
    modes_[k]->setObjectName(indexed("lbl", kind));
    modes_[k]->setToolTip(toQt(kStyleModeTip));
    modes_[k]->setAlignment(Qt::AlignCenter);
    modes_[k]->setFixedSize(22, 20);
    modes_[k]->setStyleSheet("QLabel { border: 1px solid #8a8a8a; border-radius: 3px;"
                             " background: #eef3fa; font-weight: bold; }");
    modes_[k]->setCursor(Qt::PointingHandCursor);
    connect(kinds_[k], &QCheckBox::clicked, this, [this, kind] { kindToggled(kind); });
    connect(counts_[k], &ClickableLabel::clicked, this, [this, kind] {
        kinds_[static_cast<std::size_t>(kind)]->toggle();
        kindToggled(kind);
    });
    connect(modes_[k], &ClickableLabel::clicked, this, &MainWindow::allSettings);
    head->addWidget(kinds_[k]);
    head->addWidget(counts_[k], 1);
    head->addWidget(modes_[k]);
    v->addLayout(head);

    lists_[k] = new DropList;
    lists_[k]->setObjectName(indexed("List1", kind));
    lists_[k]->setUniformItemSizes(true);
    connect(lists_[k], &DropList::filesDropped, this,
            [this](const QStringList& paths) { dropFiles(paths, true); });
    v->addWidget(lists_[k], 1);
    return column;
}

QWidget* MainWindow::buildTypFiles() {
    auto* box = new QFrame;
    box->setFrameShape(QFrame::StyledPanel);
    auto* v = new QVBoxLayout(box);
    v->setContentsMargins(6, 6, 6, 6);
    file1_ = new QListWidget;
    file1_->setObjectName("File1");
    file2_ = new QListWidget;
    file2_->setObjectName("File2");
    for (QListWidget* l : {file1_, file2_}) l->setToolTip(toQt(kLaunchTip));
    connect(file1_, &QListWidget::itemDoubleClicked, this,
            [this] { openTypFile(file1_, session_.paths.userdir); });
    connect(file2_, &QListWidget::itemDoubleClicked, this,
            [this] { openTypFile(file2_, session_.map.mapFolder); });
    auto* remove = new QPushButton(toQt(kDeleteButton));
    remove->setObjectName("deleteTyp");
    remove->setToolTip(toQt(kDeleteTip));
    connect(remove, &QPushButton::clicked, this, &MainWindow::deleteSelectedTypFile);

    auto* head1 = new QHBoxLayout;
    auto* title1 = new QLabel("<b>" + toQt(kMyTypFiles) + "</b>");
    title1->setToolTip(toQtPath(session_.paths.userdir));
    head1->addWidget(title1, 1);
    head1->addWidget(remove);
    v->addLayout(head1);
    v->addWidget(file1_, 3);
    v->addWidget(new QLabel("<b>" + toQt(kMapTypFiles) + "</b>"));
    v->addWidget(file2_, 2);
    return box;
}

QWidget* MainWindow::editorIcons() {
    auto* row = new QWidget;
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    for (int pair = 0; pair < 2; ++pair) {
        auto* cell = new QWidget;
        auto* grid = new QGridLayout(cell);
        grid->setContentsMargins(0, 0, 0, 0);
        grid->setVerticalSpacing(1);
        for (int i = 0; i < 2; ++i) {
            const int index = pair * 2 + i; // 0, 1 editor; 2, 3 TDB editor
            const bool active = i == 1;
            auto* b = new QToolButton;
            b->setObjectName(indexed("picture5", index));
            b->setAutoRaise(true);
            b->setIconSize(QSize(kIconSize, kIconSize));
            b->setIcon(pair == 0 ? editorPicture(kIconSize, active)
                                 : tdbPicture(kIconSize, active));
            if (!active) b->setToolTip(toQt(kLocateTip));
            grid->addWidget(b, 0, 0, Qt::AlignCenter); // the active icon covers the other
            icons_[static_cast<std::size_t>(index)] = b;
        }
        auto* caption = smallLabel(toQt(kEditorCaptions[static_cast<std::size_t>(pair)]));
        caption->setObjectName(indexed("Label10", pair));
        grid->addWidget(caption, 1, 0, Qt::AlignCenter);
        h->addWidget(cell);
    }
    connect(icons_[1], &QToolButton::clicked, this, &MainWindow::editCurrentFile);
    connect(icons_[3], &QToolButton::clicked, this, &MainWindow::launchTdbEditor);
    return row;
}

QWidget* MainWindow::buildBottomBar() {
    auto* bar = new QWidget;
    auto* h = new QHBoxLayout(bar);
    h->setContentsMargins(0, 0, 0, 0);
    h->addWidget(editorIcons());

    labelnt_ = new QLabel(toQt(kNtMap));
    labelnt_->setObjectName("labelnt");
    labelnt_->setStyleSheet("QLabel { background: #c0392b; color: white; font-weight: bold;"
                            " border-radius: 3px; padding: 2px 6px; }");
    label9_ = new QLabel;
    label9_->setObjectName("Label9");
    label4_ = new ElidedLabel;
    label4_->setObjectName("Label4");
    label4_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* status = new QVBoxLayout;
    auto* statusTop = new QHBoxLayout;
    statusTop->addWidget(labelnt_);
    statusTop->addWidget(label9_);
    statusTop->addStretch();
    status->addLayout(statusTop);
    status->addWidget(label4_);
    h->addLayout(status, 1);

    frame1_ = new QFrame;
    frame1_->setObjectName("Frame1");
    auto* f = new QHBoxLayout(frame1_);
    f->setContentsMargins(0, 0, 0, 0);
    backprog_ = new QFrame;
    backprog_->setObjectName("backprog");
    backprog_->setFixedSize(240, 18);
    backprog_->setStyleSheet("#backprog { background: #e4e4e4; border: 1px solid #a0a0a0;"
                             " border-radius: 3px; }");
    progimage_ = new QFrame(backprog_);
    progimage_->setObjectName("progimage");
    progimage_->setStyleSheet("#progimage { background: #3399ff; border-radius: 2px; }");
    progimage_->setGeometry(5, 4, 0, 10);
    auto* stop = new ClickableLabel(toQt(kStopEsc));
    stop->setObjectName("Label6");
    stop->setCursor(Qt::PointingHandCursor);
    stop->setStyleSheet("QLabel { color: #b00000; font-weight: bold; }");
    connect(stop, &ClickableLabel::clicked, this, [this] { ui_.setStopflag(true); });
    f->addWidget(backprog_);
    f->addWidget(stop);
    frame1_->hide();
    h->addWidget(frame1_);
    return bar;
}

void MainWindow::arrangeEditorIcons() {
    tinkerIcon_ = chktnk(session_.settings, ui_, false);
    icons_[1]->setVisible(tinkerIcon_);
    icons_[0]->setVisible(!tinkerIcon_);
    const bool tdb = chktdb(session_.settings, ui_, false);
    icons_[3]->setVisible(tdb);
    icons_[2]->setVisible(!tdb);
}

void MainWindow::buttonenable(bool on) {
    for (QWidget* w :
         std::initializer_list<QWidget*>{open_, create_, compile_, icons_[1], icons_[3]})
        w->setEnabled(on);
}

void MainWindow::showtots() {
    for (int k = 0; k < 3; ++k)
        counts_[static_cast<std::size_t>(k)]->setText(toQt(session_.map.inventory.caption(k)));
}

void MainWindow::progr(float percent) {
    if (percent <= 0) return;
    const int width =
        static_cast<int>(percent / 100.0f * static_cast<float>(backprog_->width() - 10));
    progimage_->setFixedWidth(std::max(0, width));
    showtots();
    const QString title = toQt(cap(session_.ver, session_.map.currentFile));
    if (windowTitle() != title) setWindowTitle(title);
}

void MainWindow::shw_tp() {
    const auto marks = kestrel::shw_tp(session_.settings.kindmode);
    for (std::size_t k = 0; k < 3; ++k) modes_[k]->setText(toQt(marks[k]));
}

void MainWindow::colourList(int kind) {
    const auto k = static_cast<std::size_t>(kind);
    QPalette pal = lists_[k]->palette();
    pal.setColor(QPalette::Text,
                 session_.settings.kindsel[k] ? QColor(Qt::black) : QColor(120, 60, 60));
    lists_[k]->setPalette(pal);
}

void MainWindow::kindToggled(int kind) {
    const auto k = static_cast<std::size_t>(kind);
    session_.settings.kindsel[k] = kinds_[k]->isChecked();
    colourList(kind);
}

void MainWindow::refreshFromSession() {
    for (int k = 0; k < 3; ++k) {
        DropList* list = lists_[static_cast<std::size_t>(k)];
        list->clear();
        for (const InventoryEntry& e : session_.map.inventory.list(k)) {
            list->addItem(toQt(entryText(e)));
            if (session_.styledTyp)
                list->item(list->count() - 1)
                    ->setIcon(legend::typeSwatchIcon(*session_.styledTyp, k, e.code.type()));
            if (e.objects)
                list->item(list->count() - 1)
                    ->setToolTip(toQt(objectsTip(e.objects->count, levelNumbers(*e.objects))));
        }
    }
    showtots();
    const MapFields& f = session_.map.fields;
    fid_->setText(toQt(f.fid));
    product_->setText(toQt(f.productCode));
    for (QLineEdit* e : {fid_, product_}) {
        e->setReadOnly(f.fieldsLocked);
        e->setStyleSheet(f.fieldsLocked ? "QLineEdit { background: rgb(174, 212, 108); }" : "");
    }
    codepage_->setEditText(toQt(session_.settings.codepage.text()));
    highways_->setChecked(session_.highways);
    complete_->setChecked(session_.settings.completeScan);
    draworder_->setChecked(session_.settings.draworder);
    labelnt_->setVisible(f.ntMarker);
    label9_->setText(toQt(f.mapIdLabel));
    label4_->setFullText(toQtPath(session_.map.currentFile));
    setWindowTitle(toQt(cap(session_.ver, session_.map.currentFile)));
    refreshRecent();
    refreshTypFiles();
}

void MainWindow::refreshRecent() {
    const auto& items = session_.settings.recent;
    const auto enabled = recentEnabled(items);
    for (std::size_t i = 0; i < items.size(); ++i) {
        recent_[i]->setText(toQtPath(items[i]).replace("&", "&&"));
        recent_[i]->setVisible(!items[i].empty());
        recent_[i]->setEnabled(enabled[i]);
    }
}

void MainWindow::syncToSession() {
    session_.map.fields.fid = fromQt(fid_->text());
    session_.map.fields.productCode = fromQt(product_->text());
    session_.settings.codepage = CodePage(fromQt(codepage_->currentText()));
    session_.highways = highways_->isChecked();
    session_.settings.completeScan = complete_->isChecked();
    session_.settings.draworder = draworder_->isChecked();
}

} // namespace kestrel
