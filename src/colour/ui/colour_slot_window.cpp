#include "colour/ui/colour_slot_window.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "base/ui/qt_ui_port.h"
#include "colour/colour_text.h"
#include "colour/hex_field.h"
#include "colour/messages.h"
#include "colour/palette.h"
#include "colour/shade_strip.h"
#include "colour/ui/colour_field_view.h"
#include "colour/ui/shade_strip_view.h"

namespace kestrel {

namespace {

constexpr int kSwatchSize = 24;

QString styleFor(ColourValue v) {
    return QStringLiteral("background-color: #%1; border: 1px solid #808080;").arg(toQt(rev(v)));
}

bool validSlot(int slot) {
    return slot >= 0 && slot < 4;
}

} // namespace

ColourSlotWindow::ColourSlotWindow(ColourSlots& colourSlots, int slot, QWidget* parent)
    : QDialog(parent), slots_(colourSlots), slot_(slot), field_(new ColourFieldView(this)),
      strip_(new ShadeStripView(this)), sample_(new QLabel(this)), hexField_(new QLineEdit(this)) {
    setObjectName("ColourSlotWindow");
    setWindowTitle(toQt(kColourSlotTitle));

    sample_->setObjectName("Sample");
    sample_->setFixedSize(96, 64);
    hexField_->setObjectName("HexField");
    hexField_->setFixedWidth(96);
    hexField_->installEventFilter(this);
    connect(hexField_, &QLineEdit::textEdited, this, &ColourSlotWindow::hexEdited);

    connect(field_, &ColourFieldView::picked, this, &ColourSlotWindow::shades);
    connect(field_, &ColourFieldView::released, this, &ColourSlotWindow::find_color);
    connect(strip_, &ShadeStripView::picked, this, &ColourSlotWindow::takeColour);
    connect(strip_, &ShadeStripView::released, this, &ColourSlotWindow::find_color);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("OK");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("Cancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &ColourSlotWindow::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ColourSlotWindow::reject);

    auto* side = new QVBoxLayout;
    side->addWidget(sample_);
    side->addWidget(new QLabel(toQt(kHexFieldLabel), this));
    side->addWidget(hexField_);
    side->addStretch();

    auto* grid = new QGridLayout(this);
    grid->addWidget(makeSwatches(), 0, 0, Qt::AlignTop);
    grid->addWidget(field_, 0, 1);
    grid->addLayout(side, 0, 2);
    grid->addWidget(strip_, 1, 0, 1, 3, Qt::AlignHCenter);
    grid->addWidget(buttons, 2, 0, 1, 3);

    shades(validSlot(slot_) ? slots_[static_cast<std::size_t>(slot_)] : kWhite);
    find_color();
}

QWidget* ColourSlotWindow::makeSwatches() {
    auto* box = new QWidget(this);
    const SwatchPlace last = swatchPlace(static_cast<int>(kPalette.size()) - 1, kSwatchSize);
    box->setFixedSize(last.x + kSwatchSize, last.y + kSwatchSize);
    for (std::size_t k = 0; k < kPalette.size(); ++k) {
        const ColourValue v = colourFromText(kPalette[k]);
        auto* swatch = new QPushButton(box);
        swatch->setObjectName(QStringLiteral("Swatch_%1").arg(k));
        swatch->setAutoDefault(false);
        swatch->setStyleSheet(styleFor(v));
        const SwatchPlace p = swatchPlace(static_cast<int>(k), kSwatchSize);
        swatch->setGeometry(p.x, p.y, kSwatchSize, kSwatchSize);
        connect(swatch, &QPushButton::clicked, this, [this, v] { shades(v); });
    }
    return box;
}

void ColourSlotWindow::takeColour(ColourValue colour) {
    if (colour < 0) return;
    current_ = colour;
    sample_->setStyleSheet(styleFor(colour));
    hexField_->setText(toQt(rev(colour)));
}

void ColourSlotWindow::shades(ColourValue colour) {
    const auto strip = kestrel::shades(colour);
    if (!strip) return;
    takeColour(colour);
    strip_->setStrip(*strip);
}

void ColourSlotWindow::find_color() {
    if (current_ >= 0) field_->showColour(current_);
}

void ColourSlotWindow::hexEdited(const QString& text) {
    const std::string kept = hexFieldText(fromQt(text));
    if (toQt(kept) != text) hexField_->setText(toQt(kept));
    if (const auto colour = hexFieldColour(kept)) {
        shades(*colour);
        find_color();
    }
}

bool ColourSlotWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == hexField_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString typed = key->text();
        // Keys that type a character pass only when it may enter; moving keys always pass.
        if (typed.size() == 1 && typed[0].isPrint() && !hexFieldAccepts(typed[0].toLatin1()))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void ColourSlotWindow::accept() {
    if (validSlot(slot_) && current_ >= 0) slots_[static_cast<std::size_t>(slot_)] = current_;
    QDialog::accept();
}

void ColourSlotWindow::reject() {
    current_ = -1;
    QDialog::reject();
}

} // namespace kestrel
