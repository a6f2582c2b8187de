#pragma once
// The colour-slot window: edits one of the four colour slots with a palette of
// 24 swatches, a colour field, a strip of shades, a sample and a hexadecimal field. OK stores the
// sample's colour into the slot; Cancel stores nothing.
#include <QDialog>

#include "colour/colour_value.h"

class QLabel;
class QLineEdit;

namespace kestrel {

class ColourFieldView;
class ShadeStripView;

class ColourSlotWindow : public QDialog {
    Q_OBJECT
  public:
    ColourSlotWindow(ColourSlots& colourSlots, int slot, QWidget* parent = nullptr);

    // The colour shown in the sample; -1 once the window was cancelled.
    ColourValue current() const { return current_; }

    // `shades`: makes the colour current (negative values are ignored): sample, hexadecimal
    // field and shade strip follow.
    void shades(ColourValue colour);
    // `find_color`: moves the cross-hair of the colour field to the current colour.
    void find_color();

  public slots:
    void accept() override;
    void reject() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* makeSwatches();
    // Sample and hexadecimal field only; the strip stays as it is.
    void takeColour(ColourValue colour);
    void hexEdited(const QString& text);

    ColourSlots& slots_;
    int slot_;
    ColourValue current_ = -1;
    ColourFieldView* field_;
    ShadeStripView* strip_;
    QLabel* sample_;
    QLineEdit* hexField_;
};

} // namespace kestrel
