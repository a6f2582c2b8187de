// The main window's commands: loads, TYP creation, settings, the editors, keys, drops, closing.
#include <QCheckBox>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QToolButton>

#include "app/editor_launch.h"
#include "app/map_loads.h"
#include "app/messages.h"
#include "app/session.h"
#include "app/shell_commands.h"
#include "app/state_file.h"
#include "app/typ_compile.h"
#include "app/typ_text_output.h"
#include "app/ui/about_window.h"
#include "app/ui/drop_list.h"
#include "app/ui/file_name_window.h"
#include "app/ui/main_window.h"
#include "app/ui/settings_window.h"
#include "base/paths.h"
#include "base/text.h"
#include "base/ui/qt_ui_port.h"
#include "colour/ui/screen_colour_picker.h"
#include "installed/ui/selection_window.h"
#include "legend/ui/legend_window.h"
#include "mapread/map_batch.h"
#include "maptyp/messages.h"
#include "maptyp/put_typ.h"
#include "typbin/ui/numbered_generator_runner.h"
#include "update/ui/update_window.h"

namespace kestrel {
namespace {

std::vector<std::string> toPaths(const QStringList& list) {
    std::vector<std::string> paths;
    for (const QString& p : list) paths.push_back(fromQtPath(p));
    return paths;
}

} // namespace

void MainWindow::runLoad(bool batch, const std::function<void()>& load) {
    // The core yields to the event loop while it reads; a second load started from there would
    // pull the inventory from under the first, so it is refused.
    if (loading_) return;
    syncToSession();
    loading_ = true;
    for (DropList* l : lists_) l->clear();
    buttonenable(false);
    if (batch) {
        progimage_->setFixedWidth(0);
        frame1_->show();
        labelnt_->hide();
    }
    load();
    frame1_->hide();
    loading_ = false;
    buttonenable(true);
    refreshFromSession();
    if (closePending_) close();
}

void MainWindow::fileOpen() {
    session_.errors.clear();
    if (session_.settings.lastdir.empty()) session_.settings.lastdir = session_.paths.apppath;
    // One selection window serves the whole run: it scans the installed products once and opens
    // again as it was left, with the last product chosen.
    if (!selection_)
        selection_ = new SelectionWindow({session_.settings.lastdir, session_.paths.apppath},
                                         session_.settings.extendDirectories, ui_, this);
    if (selection_->exec() != QDialog::Accepted) return;
    openBatchPaths(selection_->selectedPaths());
}

void MainWindow::openBatchPaths(const std::vector<std::string>& paths) {
    if (paths.empty()) return;
    runLoad(true, [&] { openMaps(session_, ui_, paths); });
}

void MainWindow::loadRecentItem(int index) {
    const std::string path = session_.settings.recent[static_cast<std::size_t>(index)];
    if (path.empty() || contains(path, "*") || !fileExists(path)) return;
    runLoad(false, [&] { openRecentMap(session_, ui_, path); });
}

void MainWindow::dropFiles(const QStringList& paths, bool onList) {
    const std::string names = dropText(toPaths(paths), onList);
    if (names.empty()) return;
    runLoad(false, [&] { dropMaps(session_, ui_, names); });
}

void MainWindow::openNamedMaps(const QStringList& paths) {
    runLoad(false, [&] { kestrel::openNamedMaps(session_, ui_, toPaths(paths)); });
}

void MainWindow::fileNew() {
    if (loading_) return;
    kestrel::fileNew(session_.map);
    refreshFromSession();
    create_->setEnabled(false);
}

void MainWindow::createTypFile() {
    syncToSession();
    if (!kindsForCreate(session_.settings.kindsel, ui_)) return;
    const auto window = [this](std::string& typfile) {
        FileNameWindow names(typfile, ui_, this);
        if (names.exec() != QDialog::Accepted) return false;
        typfile = names.fileName();
        return true;
    };
    create_->setEnabled(false);
    const CreateTxtResult written =
        createTypText(session_, ui_, launcher_, rng_, window, tinkerIcon_);
    create_->setEnabled(!loading_);
    if (written.status == CreateTxtStatus::Written) previewTyp(written.typfile);
    refreshFromSession();
}

void MainWindow::compileTypFile() {
    if (loading_) return;
    syncToSession();
    if (compileTypText(session_, ui_, typ::dateTimeNow()))
        previewTyp(compiledTypName(session_.settings.typfile));
}

void MainWindow::openTypPreview() {
    const std::string path =
        chooseFile(kOpenTypTitle, kTypOrTextFilter, false,
                   folderOf(session_.settings.typfile, session_.paths.apppath));
    if (!path.empty()) previewTyp(path);
}

void MainWindow::previewTyp(const std::string& path) {
    if (auto shown = legend::previewTyp(path, ui_, this)) {
        session_.styledTyp = std::move(shown);
        refreshFromSession();
    }
}

void MainWindow::saveAsText() {
    const TypeInventory& inv = session_.map.inventory;
    if (inv.list(kPolygons).empty() && inv.list(kLines).empty() && inv.list(kPois).empty()) {
        ui_.message(std::string(kNoData));
        return;
    }
    QFileDialog dialog(this, toQt(kSaveFileTitle));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(toQt(kTypTextFilter));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const std::string name = trim(fromQtPath(dialog.selectedFiles().front()));
    if (name.empty()) return;
    syncToSession();
    session_.settings.typfile = saveAsTextName(name);
    createTypText(session_, ui_, launcher_, rng_, nullptr, tinkerIcon_);
    refreshFromSession();
}

std::string MainWindow::chooseFile(std::string_view title, std::string_view filter, bool save,
                                   const std::string& folder) {
    QFileDialog dialog(this, toQt(title), toQtPath(folder), toQt(filter));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return fromQtPath(dialog.selectedFiles().front());
}

void MainWindow::putTypIntoMap() {
    maptyp::PutTypRequest request;
    request.map = chooseFile(kPutTypMapTitle, kImgFilter, false, session_.map.mapFolder);
    if (request.map.empty()) return;
    request.typ = chooseFile(kPutTypTypTitle, kTypFilter, false, folderOf(request.map, ""));
    if (request.typ.empty()) return;
    request.out = chooseFile(kPutTypOutTitle, kImgFilter, true, folderOf(request.map, ""));
    if (request.out.empty()) return;
    maptyp::PutTypResult r = maptyp::putTyp(request, ui_);
    if ((r.status == maptyp::PutTypStatus::FamilyUnknown ||
         r.status == maptyp::PutTypStatus::SeveralFamilies) &&
        ui_.ask(concat({maptyp::describe(request, r), kCrLf, kCrLf, kKeepTypIds}),
                Buttons::YesNo) == Answer::Yes) {
        request.keepIds = true;
        r = maptyp::putTyp(request, ui_);
    }
    std::string text = maptyp::describe(request, r);
    if (r.unmasked) text += concat({kCrLf, maptyp::msg::kUnmasked});
    ui_.message(text);
}

void MainWindow::allSettings() {
    SettingsWindow window(session_.settings, ui_, this);
    window.exec();
    for (int k = 0; k < 3; ++k) colourList(k);
    arrangeEditorIcons();
    shw_tp();
}

void MainWindow::editCurrentFile() {
    kestrel::editCurrentFile(session_.settings, session_.txtdone, session_.paths.apppath, ui_,
                             launcher_);
}

void MainWindow::launchTdbEditor() {
    kestrel::launchTdbEditor(session_.settings, session_.map.fields.tdbFile, session_.paths.apppath,
                             ui_, launcher_);
}

void MainWindow::about() {
    AboutWindow window(session_.ver, launcher_, this);
    window.exec();
}

void MainWindow::checkForUpdates() {
    const Settings& s = session_.settings;
    UpdateWindow window({s.updatePageUrl, s.downloadUrl}, session_.ver, session_.paths.apppath,
                        launcher_, this);
    window.exec();
}

void MainWindow::runGenerator(int item) {
    const AppPaths& paths = session_.paths;
    const NumberedGeneratorSetup setup{session_.typSlots,
                                       session_.map.currentFile,
                                       paths.userdir.empty() ? paths.apppath : paths.userdir,
                                       paths.apppath,
                                       paths.syspath,
                                       session_.settings.codepage.number()};
    runNumberedGenerator(item, setup, ui_, launcher_, this);
    refreshTypFiles();
}

void MainWindow::openColourPicker() {
    auto* picker = new ScreenColourPicker(this);
    picker->setWindowFlag(Qt::Window);
    picker->setAttribute(Qt::WA_DeleteOnClose);
    connect(picker, &QObject::destroyed, colourPicker_, [this] {
        colourPicker_->blockSignals(true);
        colourPicker_->setChecked(false);
        colourPicker_->blockSignals(false);
    });
    picker->show();
}

void MainWindow::refreshTypFiles() {
    file1_->clear();
    for (const std::string& name : typFiles(session_.paths.userdir))
        file1_->addItem(toQtPath(name));
    file2_->clear();
    const std::string& folder = session_.map.mapFolder;
    if (!folder.empty())
        for (const std::string& name : typFiles(folder)) file2_->addItem(toQtPath(name));
}

void MainWindow::openTypFile(QListWidget* list, const std::string& folder) {
    const QListWidgetItem* item = list->currentItem();
    if (!item || folder.empty()) return;
    launcher_.openDefault(joinPath(folder, fromQtPath(item->text())), session_.paths.apppath);
}

void MainWindow::deleteSelectedTypFile() {
    const QListWidgetItem* item = file1_->currentItem();
    const std::string name = item ? fromQtPath(item->text()) : std::string();
    if (deleteTypFile(session_.paths.userdir, name, ui_)) refreshTypFiles();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // The window sees its keys before its controls do. Both keys are taken here, so the event
    // does not travel on to the parents and come back through this filter.
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape) {
            escapePressed(session_.busy, ui_);
            return true;
        }
        if (key->key() == Qt::Key_Tab && key->modifiers() == Qt::NoModifier) {
            session_.settings.dumpflag = !session_.settings.dumpflag;
            focusNextChild();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::changeEvent(QEvent* e) {
    if (e->type() == QEvent::ActivationChange && isActiveWindow()) refreshRecent();
    QMainWindow::changeEvent(e);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* e) {
    if (e->mimeData()->hasUrls()) e->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* e) {
    const QStringList paths = DropList::droppedFiles(e->mimeData());
    if (paths.isEmpty()) return;
    e->acceptProposedAction();
    dropFiles(paths, false);
}

void MainWindow::closeEvent(QCloseEvent* e) {
    if (loading_) {
        // The reader is still on the stack: stop it, and close once it has returned.
        ui_.setStopflag(true);
        closePending_ = true;
        e->ignore();
        return;
    }
    syncToSession();
    savedata(session_.paths.statefile, session_.settings);
    e->accept();
    emit closed();
}

} // namespace kestrel
