#pragma once
// A label that reports a press: the count labels, the style-mode indicators, "Stop (ESC)" and
// the About window's link.
#include <QLabel>
#include <QMouseEvent>

namespace kestrel {

class ClickableLabel : public QLabel {
    Q_OBJECT
  public:
    using QLabel::QLabel;

  signals:
    void clicked();

  protected:
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton) emit clicked();
        QLabel::mousePressEvent(e);
    }
};

} // namespace kestrel
