#pragma once
// The colour field of the colour-slot window: a picture of hues across and lightness down, with
// a cross-hair marker. Pressing or dragging the left button picks the pixel under the pointer.
#include <QImage>
#include <QWidget>

#include "colour/colour_value.h"

namespace kestrel {

class ColourFieldView : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kWidth = 360;
    static constexpr int kHeight = 256;

    explicit ColourFieldView(QWidget* parent = nullptr);

    // Moves the cross-hair to where the colour lies in the field and shows it.
    void showColour(ColourValue colour);
    QPoint crossHair() const { return cross_; }
    bool crossHairShown() const { return crossShown_; }

  signals:
    void picked(kestrel::ColourValue colour);
    void released();

  protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

  private:
    void pickAt(QPoint p);

    QImage picture_;
    QPoint cross_;
    bool crossShown_ = true;
};

} // namespace kestrel
