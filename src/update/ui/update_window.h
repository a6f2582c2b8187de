#pragma once
// The "Updates" window: shows the running version; pressing the link label runs the update
// check and shows its result; "Download Link" opens the download page once an update is known.
#include <QDialog>

#include "base/ui/qt_ui_port.h"
#include "update/update_check.h"

class QLabel;
class QPushButton;

namespace kestrel {

class Launcher;
class LinkLabel;

class UpdateWindow : public QDialog {
    Q_OBJECT
  public:
    // `ver` is the running version; the download page opens in `workdir`.
    UpdateWindow(UpdatePages pages, float ver, std::string workdir, Launcher& launcher,
                 QWidget* parent = nullptr);

  public slots:
    // The link label's press: the check, with the busy pointer, and its result in the label.
    void runCheck();
    // "Download Link": opens the download page in the browser and closes the window.
    void download();

  private:
    UpdatePages pages_;
    float ver_;
    std::string workdir_;
    Launcher& launcher_;
    QtUiPort ui_;
    LinkLabel* link_;
    QPushButton* downloadButton_;
};

} // namespace kestrel
