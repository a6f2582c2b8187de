#pragma once
// The main window: shows the session (type lists, counts, fields, recent files) and forwards
// every command to the core. It owns no state of its own beyond what the widgets show.
#include <QMainWindow>
#include <array>
#include <functional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;

namespace kestrel {

class ClickableLabel;
class DropList;
class ElidedLabel;
class Launcher;
class QtUiPort;
class SelectionWindow;
struct Session;

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    MainWindow(Session& session, QtUiPort& ui, Launcher& launcher, QWidget* parent = nullptr);
    ~MainWindow() override;

    QtUiPort& port() { return ui_; }
    bool loading() const { return loading_; }

    // Commands (menus, buttons, keys and drops end here).
    void fileOpen();
    void openBatchPaths(const std::vector<std::string>& paths);
    void loadRecentItem(int index);
    void dropFiles(const QStringList& paths, bool onList);
    // Maps named on the command line.
    void openNamedMaps(const QStringList& paths);
    void fileNew();
    void createTypFile();
    // "Compile": the TYP text written last into NAME.typ beside it.
    void compileTypFile();
    void saveAsText();
    void putTypIntoMap();
    // File > Open TYP…: the Preview of a TYP text, a binary TYP or a map's TYP.
    void openTypPreview();
    // The Preview window of the TYP at `path`; its styles then show in the type lists.
    void previewTyp(const std::string& path);
    void allSettings();
    void editCurrentFile();
    void launchTdbEditor();
    void about();
    void checkForUpdates();
    // Tools items 2 to 6: the numbered-element generator of the item's kind.
    void runGenerator(int item);
    void openColourPicker();
    void deleteSelectedTypFile();

    // Operations the loads call back into.
    void buttonenable(bool on);
    void showtots();
    void progr(float percent);
    void shw_tp();
    // Refreshes every control from the session.
    void refreshFromSession();
    // Recent items shown, and enabled when their file exists.
    void refreshRecent();

  signals:
    // The window has closed for good; the program ends.
    void closed();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;

  private:
    void buildMenus();
    QWidget* buildTopBar();
    QWidget* buildKindColumn(int kind);
    QWidget* buildTypFiles();
    QWidget* buildBottomBar();
    QWidget* editorIcons();

    // Widgets that the user edits are copied into the session before a command reads it.
    void syncToSession();
    // Runs a load with the buttons off (and the progress frame for a File > Open batch).
    void runLoad(bool batch, const std::function<void()>& load);
    void kindToggled(int kind);
    void colourList(int kind);
    void arrangeEditorIcons();
    void refreshTypFiles();
    void openTypFile(QListWidget* list, const std::string& folder);
    // A file chosen in a file dialog (to open, or to save: then replacing one is confirmed);
    // empty when none was.
    std::string chooseFile(std::string_view title, std::string_view filter, bool save,
                           const std::string& folder);

    Session& session_;
    QtUiPort& ui_;
    Launcher& launcher_;
    std::mt19937 rng_;

    std::array<DropList*, 3> lists_{};
    std::array<ClickableLabel*, 3> counts_{};
    std::array<QCheckBox*, 3> kinds_{};
    std::array<ClickableLabel*, 3> modes_{};
    QPushButton* open_ = nullptr;
    QPushButton* create_ = nullptr;
    QPushButton* compile_ = nullptr;
    QLineEdit* fid_ = nullptr;
    QLineEdit* product_ = nullptr;
    QComboBox* codepage_ = nullptr;
    QCheckBox* highways_ = nullptr;
    QCheckBox* complete_ = nullptr;
    QCheckBox* colourPicker_ = nullptr;
    QCheckBox* draworder_ = nullptr;
    QListWidget* file1_ = nullptr;
    QListWidget* file2_ = nullptr;
    QFrame* frame1_ = nullptr;
    QFrame* backprog_ = nullptr;
    QFrame* progimage_ = nullptr;
    QLabel* labelnt_ = nullptr;
    ElidedLabel* label4_ = nullptr;
    QLabel* label9_ = nullptr;
    std::array<QToolButton*, 4> icons_{};
    std::array<QAction*, 7> recent_{};
    SelectionWindow* selection_ = nullptr; // made on the first File > Open
    bool tinkerIcon_ = false;
    bool loading_ = false;
    bool closePending_ = false;
};

} // namespace kestrel
