// The desktop program. Map files named on the command line (a file manager's "Open with") load
// like files dropped on a type list.
#include <QApplication>
#include <QDir>
#include <QStringList>
#include <QTimer>

#include "app/messages.h"
#include "app/session.h"
#include "app/startup.h"
#include "app/ui/main_window.h"
#include "app/ui/screenshots.h"
#include "base/desktop_launcher.h"
#include "base/platform/platform.h"
#include "base/ui/qt_ui_port.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(kestrel::toQt(kestrel::kProgramName));
    QApplication::setDesktopFileName("kestrel");

    // A hidden option for the documentation: grab the windows into a folder, then quit.
    QStringList args = QApplication::arguments().mid(1);
    QString screenshotDir;
    if (const auto at = args.indexOf("--screenshot-dir"); at >= 0 && at + 1 < args.size()) {
        screenshotDir = args.at(at + 1);
        args.remove(at, 2);
    }

    kestrel::Session session;
    const std::string apppath = kestrel::platform::programFolder();
    kestrel::startup(session, apppath,
                     kestrel::installedDataFolder(apppath, KESTREL_INSTALL_DATADIR));
    kestrel::QtUiPort ui;
    kestrel::DesktopLauncher launcher;
    kestrel::MainWindow window(session, ui, launcher);
    QObject::connect(&window, &kestrel::MainWindow::closed, &app, &QApplication::quit);
    window.show();

    QStringList maps;
    for (const QString& a : args) maps << QDir::current().absoluteFilePath(a);
    if (!screenshotDir.isEmpty()) {
        if (!maps.isEmpty()) window.dropFiles(maps, true);
        return kestrel::saveScreenshots(window, session.settings, ui, screenshotDir) ? 0 : 1;
    }
    if (!maps.isEmpty())
        QTimer::singleShot(0, &window, [&window, maps] { window.dropFiles(maps, true); });
    return QApplication::exec();
}
