#pragma once
// Pictures of windows for tools/screenshots_tools.sh: shows the window, lets it paint, grabs it
// and, when KESTREL_SHOT_DIR is set, saves it there as NAME.png.
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QThread>
#include <QWidget>

namespace kestrel::test {

inline QImage windowShot(QWidget& w, const QString& name) {
    w.show();
    for (int i = 0; i < 10; ++i) {
        QApplication::processEvents();
        QThread::msleep(10);
    }
    const QImage picture = w.grab().toImage();
    const QString dir = qEnvironmentVariable("KESTREL_SHOT_DIR");
    if (!dir.isEmpty()) {
        QDir().mkpath(dir);
        picture.save(QDir(dir).filePath(name + ".png"), "PNG");
    }
    w.hide();
    return picture;
}

} // namespace kestrel::test
