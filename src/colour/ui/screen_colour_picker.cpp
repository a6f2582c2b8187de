#include "colour/ui/screen_colour_picker.h"

#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "base/ui/qt_ui_port.h"
#include "colour/colour_text.h"
#include "colour/messages.h"
#include "colour/shade_strip.h"

namespace kestrel {

namespace {

constexpr int kTickMs = 100;

} // namespace

ScreenColourPicker::ScreenColourPicker(QWidget* parent)
    : QWidget(parent, Qt::Window), view_(new QLabel(this)), note_(new QLabel(this)),
      text_(new QLineEdit(this)), timer_(new QTimer(this)) {
    setObjectName("ScreenColourPicker");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(toQt(kPickerTitle));

    view_->setObjectName("Picture1");
    view_->setFixedSize(kGrab * kZoom, kGrab * kZoom);
    view_->setFrameShape(QFrame::Box);
    note_->setObjectName("CaptureNote");
    note_->setWordWrap(true);
    note_->setFixedWidth(kGrab * kZoom);
    note_->hide();
    text_->setObjectName("Text1");
    text_->setReadOnly(true);
    text_->setAlignment(Qt::AlignHCenter);
    text_->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view_, 0, Qt::AlignHCenter);
    layout->addWidget(note_);
    layout->addWidget(text_);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(timer_, &QTimer::timeout, this, &ScreenColourPicker::tick);
    if (captureAllowed())
        timer_->start(kTickMs);
    else
        refuse();
}

bool ScreenColourPicker::captureAllowed() {
    // Wayland forbids reading other programs' pixels; the offscreen and minimal platforms have no
    // screen to read and would hand back uninitialised pixels.
    const QString platform = QGuiApplication::platformName();
    return !platform.contains("wayland", Qt::CaseInsensitive) && platform != "offscreen" &&
           platform != "minimal";
}

void ScreenColourPicker::tick() {
    if (refused_) return;
    const QPoint pos = QCursor::pos();
    QScreen* screen = QGuiApplication::screenAt(pos);
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return refuse();
    const QPoint local = pos - screen->geometry().topLeft();
    const QPixmap grab =
        screen->grabWindow(0, local.x() - kGrab / 2, local.y() - kGrab / 2, kGrab, kGrab);
    showGrab(grab.toImage());
}

void ScreenColourPicker::showGrab(const QImage& grab) {
    if (grab.isNull() || grab.width() == 0 || grab.height() == 0) return refuse();
    QPixmap big = QPixmap::fromImage(
        grab.scaled(kGrab * kZoom, kGrab * kZoom, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    {
        // Two thin lines through the middle, as a cross-hair.
        QPainter painter(&big);
        painter.setPen(QColor(128, 128, 128));
        const int mid = kGrab * kZoom / 2;
        painter.drawLine(mid, 0, mid, mid - kZoom);
        painter.drawLine(mid, mid + 2 * kZoom, mid, big.height());
        painter.drawLine(0, mid, mid - kZoom, mid);
        painter.drawLine(mid + 2 * kZoom, mid, big.width(), mid);
    }
    refused_ = false;
    note_->hide();
    view_->setPixmap(big);
    view_->show();
    const QRgb px = grab.pixel(grab.width() / 2, grab.height() / 2);
    text_->setText(toQt(kestrel::rev(rgbValue({qRed(px), qGreen(px), qBlue(px)}))));
}

QString ScreenColourPicker::colourText() const {
    return text_->text();
}

void ScreenColourPicker::refuse() {
    refused_ = true;
    timer_->stop();
    view_->hide();
    note_->setText(toQt(kCaptureRefused));
    note_->show();
    text_->clear();
}

bool ScreenColourPicker::enterPressed(QKeyEvent* e) {
    if (e->key() != Qt::Key_Return && e->key() != Qt::Key_Enter) return false;
    if (!text_->text().isEmpty()) setWindowTitle(text_->text());
    return true;
}

bool ScreenColourPicker::eventFilter(QObject* watched, QEvent* event) {
    if (watched == text_ && event->type() == QEvent::KeyPress &&
        enterPressed(static_cast<QKeyEvent*>(event)))
        return true;
    return QWidget::eventFilter(watched, event);
}

void ScreenColourPicker::keyPressEvent(QKeyEvent* e) {
    if (!enterPressed(e)) QWidget::keyPressEvent(e);
}

} // namespace kestrel
