#include "colour/ui/shade_strip_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

namespace kestrel {

ShadeStripView::ShadeStripView(QWidget* parent) : QWidget(parent) {
    setObjectName("ShadeStrip");
    setFixedSize(kStripWidth, kStripHeight + kMarkerHeight);
}

void ShadeStripView::setStrip(const ShadeStrip& strip) {
    strip_ = strip;
    update();
}

ColourValue ShadeStripView::colourAt(int x) const {
    if (!strip_) return -1;
    return strip_->stripes[static_cast<std::size_t>(stripeAt(x, kStripWidth))];
}

void ShadeStripView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    if (!strip_) return;
    const int w = stripeWidth(kStripWidth);
    for (int k = 0; k < kShadeStripes; ++k) {
        const Rgb c = CToRGB(strip_->stripes[static_cast<std::size_t>(k)]);
        painter.fillRect(k * w, 0, w, kStripHeight, QColor(c.r, c.g, c.b));
    }
    if (strip_->marker) {
        const int mid = *strip_->marker * w + w / 2;
        const QPolygon arrow({QPoint(mid, kStripHeight + 1), QPoint(mid - 5, height() - 1),
                              QPoint(mid + 5, height() - 1)});
        painter.setBrush(Qt::black);
        painter.setPen(Qt::black);
        painter.drawPolygon(arrow);
    }
}

void ShadeStripView::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && strip_) emit picked(colourAt(e->position().toPoint().x()));
}

void ShadeStripView::mouseMoveEvent(QMouseEvent* e) {
    if ((e->buttons() & Qt::LeftButton) && strip_)
        emit picked(colourAt(e->position().toPoint().x()));
}

void ShadeStripView::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) emit released();
}

} // namespace kestrel
