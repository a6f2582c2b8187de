#pragma once
// The "Updates" window: shows the running version; pressing the link label runs the update
// check and shows its result; "Download Link" opens the download page once an update is known.
#include <QDialog>

#include "base/ui/qt_ui_port.h"

class QLabel;
class QPushButton;

namespace kestrel {

struct Session;
class Launcher;
class LinkLabel;

class UpdateWindow : public QDialog {
    Q_OBJECT
  public:
    UpdateWindow(Session& session, Launcher& launcher, QWidget* parent = nullptr);

  public slots:
    // The link label's press: the check, with the busy pointer, and its result in the label.
    void runCheck();
    // "Download Link": opens the download page in the browser and closes the window.
    void download();

  private:
    Session& session_;
    Launcher& launcher_;
    QtUiPort ui_;
    LinkLabel* link_;
    QPushButton* downloadButton_;
};

} // namespace kestrel
