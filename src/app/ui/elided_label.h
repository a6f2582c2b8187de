#pragma once
// A one-line label for a path that may be wider than the window: it shows what fits, with an
// ellipsis in the middle so that the start and the file name stay, and the whole text in its
// tooltip. It asks for no width of its own, so a long path never widens the window.
#include <QLabel>

namespace kestrel {

class ElidedLabel : public QLabel {
    Q_OBJECT
  public:
    ElidedLabel();

    void setFullText(const QString& text);
    const QString& fullText() const { return full_; }

  protected:
    void resizeEvent(QResizeEvent* e) override;

  private:
    void elide();

    QString full_;
};

} // namespace kestrel
