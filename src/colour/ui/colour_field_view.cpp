#include "colour/ui/colour_field_view.h"

#include <QMouseEvent>
#include <QPainter>

#include "colour/colour_field.h"
#include "colour/shade_strip.h"

namespace kestrel {

namespace {

QRgb toQRgb(ColourValue v) {
    const Rgb c = CToRGB(v);
    return qRgb(c.r, c.g, c.b);
}

} // namespace

ColourFieldView::ColourFieldView(QWidget* parent)
    : QWidget(parent), picture_(kWidth, kHeight, QImage::Format_RGB32) {
    setObjectName("ColourField");
    setFixedSize(kWidth, kHeight);
    setCursor(Qt::CrossCursor);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            picture_.setPixel(x, y, toQRgb(fieldColour(x, y, kWidth, kHeight)));
}

void ColourFieldView::showColour(ColourValue colour) {
    const FieldPoint p = find_color(colour, kWidth, kHeight);
    cross_ = {p.x, p.y};
    crossShown_ = true;
    update();
}

void ColourFieldView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
    if (!crossShown_) return;
    // Black and white lines side by side show on light and dark colours alike.
    painter.setPen(Qt::black);
    painter.drawLine(cross_.x() - 8, cross_.y(), cross_.x() - 3, cross_.y());
    painter.drawLine(cross_.x() + 3, cross_.y(), cross_.x() + 8, cross_.y());
    painter.drawLine(cross_.x(), cross_.y() - 8, cross_.x(), cross_.y() - 3);
    painter.drawLine(cross_.x(), cross_.y() + 3, cross_.x(), cross_.y() + 8);
    painter.setPen(Qt::white);
    painter.drawRect(cross_.x() - 2, cross_.y() - 2, 4, 4);
}

void ColourFieldView::pickAt(QPoint p) {
    crossShown_ = false;
    cross_ = {std::clamp(p.x(), 0, kWidth - 1), std::clamp(p.y(), 0, kHeight - 1)};
    update();
    const QRgb px = picture_.pixel(cross_);
    emit picked(rgbValue({qRed(px), qGreen(px), qBlue(px)}));
}

void ColourFieldView::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) pickAt(e->position().toPoint());
}

void ColourFieldView::mouseMoveEvent(QMouseEvent* e) {
    if (e->buttons() & Qt::LeftButton) pickAt(e->position().toPoint());
}

void ColourFieldView::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) emit released();
}

} // namespace kestrel
