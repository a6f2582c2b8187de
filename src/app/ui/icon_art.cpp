#include "app/ui/icon_art.h"

#include <QPainter>
#include <QPainterPath>

namespace kestrel {
namespace {

// A transparent square of `size` pixels, painted by `draw` on a 32 x 32 grid.
template <class Draw> QPixmap picture(int size, Draw draw) {
    QPixmap pix(size, size);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    draw(p);
    return pix;
}

QColor tone(const QColor& c, bool active) {
    if (active) return c;
    const int g = qGray(c.rgb());
    return QColor(g, g, g, 150);
}

} // namespace

QPixmap editorPicture(int size, bool active) {
    return picture(size, [active](QPainter& p) {
        p.setPen(QPen(tone(QColor(70, 70, 70), active), 1.2));
        p.setBrush(tone(QColor(255, 255, 255), active));
        p.drawRoundedRect(QRectF(5, 3, 18, 25), 2, 2);
        p.setPen(QPen(tone(QColor(120, 140, 170), active), 1.4));
        for (int y = 9; y <= 21; y += 4) p.drawLine(QPointF(9, y), QPointF(19, y));
        // The pencil, lying across the page's corner.
        p.translate(21, 21);
        p.rotate(-45);
        p.setPen(QPen(tone(QColor(60, 40, 20), active), 1));
        p.setBrush(tone(QColor(240, 180, 40), active));
        p.drawRect(QRectF(-3, -12, 6, 14));
        p.setBrush(tone(QColor(230, 120, 120), active));
        p.drawRect(QRectF(-3, -15, 6, 3));
        QPainterPath tip;
        tip.moveTo(-3, 2);
        tip.lineTo(3, 2);
        tip.lineTo(0, 8);
        tip.closeSubpath();
        p.setBrush(tone(QColor(245, 220, 180), active));
        p.drawPath(tip);
    });
}

QPixmap tdbPicture(int size, bool active) {
    return picture(size, [active](QPainter& p) {
        p.setPen(QPen(tone(QColor(30, 70, 60), active), 1.2));
        for (int i = 2; i >= 0; --i) {
            const double top = 6 + i * 7;
            p.setBrush(tone(QColor(60 + i * 25, 150 + i * 15, 120), active));
            QPainterPath side;
            side.addRect(QRectF(6, top, 20, 7));
            p.drawPath(side);
            p.drawEllipse(QRectF(6, top + 7 - 3, 20, 6));
            p.setBrush(tone(QColor(150, 210, 180), active));
            p.drawEllipse(QRectF(6, top - 3, 20, 6));
        }
    });
}

QIcon programIcon() {
    QIcon icon = QIcon::fromTheme("kestrel");
    if (icon.isNull()) icon = QIcon(":/kestrel/kestrel.png");
    return icon;
}

} // namespace kestrel
