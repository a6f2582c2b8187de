#pragma once
// Pictures of windows for tools/screenshots_tools.sh: shows the window, waits until it is on the
// screen, grabs it and, when KESTREL_SHOT_DIR is set, saves it there as NAME.png.
#include <QDir>
#include <QImage>
#include <QTest>
#include <QWidget>

namespace kestrel::test {

inline QImage windowShot(QWidget& w, const QString& name) {
    w.show();
    if (!QTest::qWaitForWindowExposed(&w)) return {};
    const QImage picture = w.grab().toImage();
    const QString dir = qEnvironmentVariable("KESTREL_SHOT_DIR");
    if (!dir.isEmpty()) {
        QDir().mkpath(dir);
        picture.save(QDir(dir).filePath(name + ".png"), "PNG");
    }
    w.hide();
    return picture;
}

// The names of the window's shown controls that its picture does not hold whole: cut off by a
// window too small for them.
inline QStringList clippedControls(const QWidget& w, const QImage& picture) {
    QStringList clipped;
    for (const QWidget* c : w.findChildren<QWidget*>())
        if (!c->objectName().isEmpty() && c->isVisibleTo(&w) &&
            !picture.rect().contains(QRect(c->mapTo(&w, QPoint()), c->size())))
            clipped << c->objectName();
    return clipped;
}

} // namespace kestrel::test
