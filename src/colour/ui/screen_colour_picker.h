#pragma once
// The screen colour picker: a magnified view of the 60 x 60 screen pixels around the mouse
// pointer, refreshed on a timer, and the colour under the pointer as RRGGBB text. Enter puts the
// text into the title. It stores nothing and does not block the main window. Create it with new
// and show() it: it deletes itself when closed.
#include <QWidget>

class QLabel;
class QLineEdit;
class QTimer;

namespace kestrel {

class ScreenColourPicker : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kGrab = 60; // screen pixels each way
    static constexpr int kZoom = 3;

    explicit ScreenColourPicker(QWidget* parent = nullptr);

    // Whether the desktop lets programs read the screen at all.
    static bool captureAllowed();
    // One timer tick: grabs the screen around the pointer and shows it.
    void tick();
    // Shows a grabbed area (its middle pixel is the colour under the pointer); a null or empty
    // image shows the refusal instead.
    void showGrab(const QImage& grab);
    bool refused() const { return refused_; }
    QString colourText() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* e) override;

  private:
    void refuse();
    bool enterPressed(QKeyEvent* e);

    QLabel* view_;
    QLabel* note_;
    QLineEdit* text_;
    QTimer* timer_;
    bool refused_ = false;
};

} // namespace kestrel
