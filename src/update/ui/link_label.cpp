#include "update/ui/link_label.h"

#include <QMouseEvent>

namespace kestrel {

namespace {

const QColor kLightBlue(0x80, 0x80, 0xFF);
const QColor kLightMagenta(0xFF, 0x80, 0xFF);

} // namespace

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setCursor(Qt::PointingHandCursor);
    setWordWrap(true);
    paintHover(false);
}

void LinkLabel::paintHover(bool on) {
    hovered_ = on;
    QPalette p = palette();
    p.setColor(QPalette::WindowText, on ? kLightMagenta : kLightBlue);
    setPalette(p);
}

void LinkLabel::enterEvent(QEnterEvent* e) {
    paintHover(true);
    QLabel::enterEvent(e);
}

void LinkLabel::leaveEvent(QEvent* e) {
    paintHover(false);
    QLabel::leaveEvent(e);
}

void LinkLabel::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) emit clicked();
    QLabel::mousePressEvent(e);
}

} // namespace kestrel
