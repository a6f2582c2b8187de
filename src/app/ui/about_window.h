#pragma once
// "Information": the version and a link to the project's page.
#include <QDialog>

namespace kestrel {

class Launcher;

class AboutWindow : public QDialog {
    Q_OBJECT
  public:
    AboutWindow(float ver, Launcher& launcher, QWidget* parent = nullptr);
};

} // namespace kestrel
