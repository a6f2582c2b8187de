#pragma once
// A label that works as a link: light blue, and light magenta while the mouse is over it.
#include "base/ui/clickable_label.h"

namespace kestrel {

class LinkLabel : public ClickableLabel {
    Q_OBJECT
  public:
    explicit LinkLabel(const QString& text, QWidget* parent = nullptr);
    bool hovered() const { return hovered_; }

  protected:
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;

  private:
    void paintHover(bool on);
    bool hovered_ = false;
};

} // namespace kestrel
