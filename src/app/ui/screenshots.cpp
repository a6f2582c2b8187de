#include "app/ui/screenshots.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QThread>

#include "app/ui/file_name_window.h"
#include "app/ui/main_window.h"
#include "app/ui/settings_window.h"
#include "base/ui/qt_ui_port.h"

namespace kestrel {
namespace {

// Lets the window system map and paint the window before it is grabbed.
void settle() {
    for (int i = 0; i < 20; ++i) {
        QApplication::processEvents();
        QThread::msleep(10);
    }
}

bool grab(QWidget& w, const QString& path) {
    w.show();
    w.raise();
    settle();
    return w.grab().save(path, "PNG");
}

} // namespace

bool saveScreenshots(MainWindow& window, Settings& settings, QtUiPort& ui, const QString& folder) {
    QDir().mkpath(folder);
    const QDir dir(folder);
    bool ok = grab(window, dir.filePath("main.png"));
    SettingsWindow settingsWindow(settings, ui, &window);
    ok = grab(settingsWindow, dir.filePath("settings.png")) && ok;
    settingsWindow.close();
    FileNameWindow names(settings.typfile, ui, &window);
    ok = grab(names, dir.filePath("filename.png")) && ok;
    names.close();
    return ok;
}

} // namespace kestrel
