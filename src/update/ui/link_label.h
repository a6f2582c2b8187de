#pragma once
// A label that works as a link: light blue, light magenta while the mouse is over it, and a
// signal when pressed.
#include <QLabel>

namespace kestrel {

class LinkLabel : public QLabel {
    Q_OBJECT
  public:
    explicit LinkLabel(const QString& text, QWidget* parent = nullptr);
    bool hovered() const { return hovered_; }

  signals:
    void clicked();

  protected:
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

  private:
    void paintHover(bool on);
    bool hovered_ = false;
};

} // namespace kestrel
