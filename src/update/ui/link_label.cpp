#include "update/ui/link_label.h"

namespace kestrel {

namespace {

const QColor kLightBlue(0x80, 0x80, 0xFF);
const QColor kLightMagenta(0xFF, 0x80, 0xFF);

} // namespace

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : ClickableLabel(text, parent) {
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
    ClickableLabel::enterEvent(e);
}

void LinkLabel::leaveEvent(QEvent* e) {
    paintHover(false);
    ClickableLabel::leaveEvent(e);
}

} // namespace kestrel
