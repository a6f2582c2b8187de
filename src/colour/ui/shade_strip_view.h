#pragma once
// The shade strip of the colour-slot window: 256 stripes of one colour from dark to light, with
// a pointer marker below the stripe of the colour itself. Pressing or dragging on it (or on the
// marker) picks the stripe under the pointer.
#include <QWidget>
#include <optional>

#include "colour/shade_strip.h"

namespace kestrel {

class ShadeStripView : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kStripWidth = 512;
    static constexpr int kStripHeight = 28;
    static constexpr int kMarkerHeight = 10;

    explicit ShadeStripView(QWidget* parent = nullptr);

    void setStrip(const ShadeStrip& strip);
    std::optional<int> marker() const { return strip_ ? strip_->marker : std::nullopt; }
    // The stripe colour at a pixel column; -1 before a strip was set.
    ColourValue colourAt(int x) const;

  signals:
    void picked(kestrel::ColourValue colour);
    void released();

  protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

  private:
    std::optional<ShadeStrip> strip_;
};

} // namespace kestrel
