#pragma once
// The selection window of File > Open ("Multi Select IMGs"): the installed map products, the map
// files of the product or folder chosen, and the files picked, handed back on "Open".
#include <QDialog>
#include <string>
#include <vector>

#include "installed/installed_product.h"
#include "installed/product_selection.h"

class QCheckBox;
class QComboBox;
class QFileSystemModel;
class QFrame;
class QLineEdit;
class QListWidget;
class QStackedWidget;
class QTreeView;

namespace kestrel {

class UiPort;

// Where the window starts: the folder of the last map opened (`lastdir`), else the program folder.
struct SelectionStart {
    std::string lastdir;
    std::string apppath;
};

class SelectionWindow : public QDialog {
    Q_OBJECT
  public:
    // `extendDirectories` is the window's option of the state file, shown and kept.
    SelectionWindow(SelectionStart start, int& extendDirectories, UiPort& ui,
                    QWidget* parent = nullptr);

    // The full paths chosen, in list order, once exec() returned Accepted; empty otherwise.
    std::vector<std::string> selectedPaths() const { return selected_; }

    // Offers these products instead of scanning when the window is first shown.
    void setProducts(std::vector<installed::InstalledProduct> products);
    const installed::ProductSelection& selection() const { return selection_; }

  public slots:
    // "Open": hands back the selected files, or asks for a selection and stays open.
    void openSelected();
    // A click in the product list.
    void chooseProduct(int row);
    // "Search" (and Enter in the search box).
    void search();
    // "Browse...": a file window; the chosen file's folder becomes the current folder.
    void browse();
    // "Extend Directories": shows or hides the frame with the drive chooser, folder tree, browse
    // button and search box.
    void setExtended(bool on);
    // The folder tree and file list go to the folder; the drive chooser follows.
    void goToFolder(const std::string& folder);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

  private:
    void fillProducts();
    void fillFiles();
    void pointDriveAt(const std::string& folder);
    void setTreeRoot(const QString& root);
    void showTreeTarget();
    std::vector<std::size_t> selectedRows() const;

    SelectionStart start_;
    int& extendDirectories_;
    UiPort& ui_;
    installed::ProductSelection selection_;
    bool scanned_ = false;
    std::vector<std::string> selected_;

    QListWidget* products_;
    QStackedWidget* fileStack_;
    QListWidget* files_;
    QListWidget* ntFiles_;
    QCheckBox* extend_;
    QFrame* frame_;
    QComboBox* drives_;
    QTreeView* tree_;
    QFileSystemModel* folders_;
    QString treeTarget_; // the folder the tree shows as current
    QLineEdit* searchText_;
};

} // namespace kestrel
