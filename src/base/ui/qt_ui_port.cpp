#include "base/ui/qt_ui_port.h"

#include <QApplication>
#include <QMessageBox>

namespace kestrel {
namespace {
constexpr qint64 kPumpIntervalMs = 5;
}

QString toQt(std::string_view s) {
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

std::string fromQt(const QString& s) {
    const QByteArray b = s.toLatin1();
    return std::string(b.constData(), static_cast<std::size_t>(b.size()));
}

QString toQtPath(const std::string& path) {
    return QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size()));
}

std::string fromQtPath(const QString& path) {
    const QByteArray b = path.toUtf8();
    return std::string(b.constData(), static_cast<std::size_t>(b.size()));
}

QtUiPort::QtUiPort(QWidget* parent) : parent_(parent) {
    setYieldStride(16);
    sinceLastPump_.start();
}

void QtUiPort::message(const std::string& text) {
    QMessageBox::information(parent_, QApplication::applicationName(),
                             toQt(text).replace("\r\n", "\n"));
}

void QtUiPort::detailedMessage(const std::string& text, const std::string& details) {
    QMessageBox box(QMessageBox::Information, QApplication::applicationName(),
                    toQtPath(text).replace("\r\n", "\n"), QMessageBox::Ok, parent_);
    box.setTextFormat(Qt::PlainText); // file names are never markup
    if (!details.empty()) box.setDetailedText(toQtPath(details).replace("\r\n", "\n"));
    box.exec();
}

Answer QtUiPort::ask(const std::string& text, Buttons buttons) {
    auto set = QMessageBox::Yes | QMessageBox::No;
    if (buttons == Buttons::YesNoCancel) set |= QMessageBox::Cancel;
    const auto r = QMessageBox::question(parent_, QApplication::applicationName(),
                                         toQt(text).replace("\r\n", "\n"), set);
    if (r == QMessageBox::Yes) return Answer::Yes;
    if (r == QMessageBox::No) return Answer::No;
    return Answer::Cancel;
}

void QtUiPort::progress(float percent) {
    yieldNow();
    if (percent > 0 && progressSink_) progressSink_(percent);
}

void QtUiPort::busy(bool on) {
    if (on && busyDepth_ == 0) QApplication::setOverrideCursor(Qt::WaitCursor);
    if (!on && busyDepth_ > 0) QApplication::restoreOverrideCursor();
    busyDepth_ = on ? 1 : 0;
}

void QtUiPort::pump() {
    if (sinceLastPump_.elapsed() < kPumpIntervalMs) return;
    QApplication::processEvents();
    sinceLastPump_.restart();
}

} // namespace kestrel
