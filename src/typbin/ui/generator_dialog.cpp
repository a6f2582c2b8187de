#include "typbin/ui/generator_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/ui/qt_ui_port.h"
#include "typbin/messages.h"

namespace kestrel {

namespace {

QCheckBox* box(std::string_view caption, const char* name, QWidget* parent) {
    // The captions keep "&&" so that Qt shows a single "&" instead of a mnemonic.
    auto* b = new QCheckBox(toQt(caption), parent);
    b->setObjectName(name);
    return b;
}

} // namespace

GeneratorDialog::GeneratorDialog(GeneratorKind kind, const std::string& defaultFolder, UiPort& ui,
                                 QWidget* parent)
    : QDialog(parent), ui_(ui), form_(kind, defaultFolder), start_(new QLineEdit(this)),
      count_(new QLineEdit(this)),
      ignoreSubtypes_(box(kGeneratorIgnoreSubtypes, "IgnoreSubtypes", this)),
      startHex_(box(kGeneratorHexBox, "StartHex", this)),
      countHex_(box(kGeneratorHexBox, "CountHex", this)), lineWidth_(new QComboBox(this)),
      path_(new QLineEdit(this)), range_(new QLabel(this)) {
    setObjectName("GeneratorDialog");
    setWindowTitle(toQt(form_.title()));

    start_->setObjectName("StartField");
    start_->setText(toQt(form_.start()));
    count_->setObjectName("CountField");
    count_->setText(toQt(form_.count()));
    for (QLineEdit* f : {start_, count_}) f->installEventFilter(this);
    connect(start_, &QLineEdit::textEdited, this,
            [this](const QString& t) { fieldEdited(GeneratorField::Start, t); });
    connect(count_, &QLineEdit::textEdited, this,
            [this](const QString& t) { fieldEdited(GeneratorField::Count, t); });

    ignoreSubtypes_->setVisible(form_.showsIgnoreSubtypes());
    connect(ignoreSubtypes_, &QCheckBox::toggled, this, [this](bool on) {
        form_.setIgnoreSubtypes(on);
        showRange();
    });
    startHex_->setVisible(form_.showsHexBoxes());
    countHex_->setVisible(form_.showsHexBoxes());
    connect(startHex_, &QCheckBox::toggled, this,
            [this](bool on) { hexBoxToggled(GeneratorField::Start, on); });
    connect(countHex_, &QCheckBox::toggled, this,
            [this](bool on) { hexBoxToggled(GeneratorField::Count, on); });

    lineWidth_->setObjectName("LineWidth");
    lineWidth_->setEditable(true);
    for (auto item : kLineWidthItems) lineWidth_->addItem(toQt(item));
    lineWidth_->setCurrentText(toQt(form_.lineWidth()));
    path_->setObjectName("PathField");
    path_->setText(toQt(form_.path()));
    path_->setMinimumWidth(320);
    range_->setObjectName("RangeLabel");

    auto* create = new QPushButton(toQt(kGeneratorCreate), this);
    create->setObjectName("CreateTyp");
    create->setDefault(true);
    auto* close = new QPushButton(toQt(kGeneratorClose), this);
    close->setObjectName("Close");
    connect(create, &QPushButton::clicked, this, &GeneratorDialog::createTyp);
    connect(close, &QPushButton::clicked, this, &GeneratorDialog::reject);

    auto* startRow = new QHBoxLayout;
    startRow->addWidget(start_);
    startRow->addWidget(startHex_);
    auto* countRow = new QHBoxLayout;
    countRow->addWidget(count_);
    countRow->addWidget(countHex_);
    auto* fields = new QFormLayout;
    fields->addRow(toQt(kGeneratorStartLabel), startRow);
    fields->addRow(toQt(form_.countLabel()), countRow);
    if (form_.showsLineWidth()) {
        fields->addRow(toQt(kGeneratorLineWidth), lineWidth_);
    } else {
        lineWidth_->hide();
    }
    fields->addRow(toQt(kGeneratorPathLabel), path_);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(create);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(ignoreSubtypes_);
    layout->addWidget(range_);
    layout->addLayout(buttons);

    showRange();
}

void GeneratorDialog::showRange() {
    const RangeLabel& r = form_.rangeLabel();
    range_->setText(toQt(r.text));
    const bool out = r.colour == RangeColour::OutOfRange;
    range_->setStyleSheet(out ? "color: red;" : "color: blue;");
    start_->setStyleSheet(out ? "color: red;" : "color: black;");
}

void GeneratorDialog::fieldEdited(GeneratorField field, const QString& text) {
    // Typed keys were filtered already; pasted text is filtered here, character by character.
    std::string kept;
    for (char c : fromQt(text))
        if (const auto k = form_.filterKey(field, c)) kept += *k;
    QLineEdit* edit = field == GeneratorField::Start ? start_ : count_;
    if (toQt(kept) != text) edit->setText(toQt(kept));
    if (field == GeneratorField::Start)
        form_.setStart(kept);
    else
        form_.setCount(kept);
    showRange();
}

void GeneratorDialog::hexBoxToggled(GeneratorField field, bool on) {
    if (field == GeneratorField::Start) {
        form_.setStartHex(on);
        start_->setText(toQt(form_.start()));
    } else {
        form_.setCountHex(on);
        count_->setText(toQt(form_.count()));
    }
    showRange();
}

bool GeneratorDialog::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == start_ || watched == count_) && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString typed = key->text();
        // Only keys that type a character are filtered; moving and editing keys pass.
        if (typed.size() == 1 && (typed[0].isPrint() || typed[0] == QChar(kBackspace))) {
            const GeneratorField field =
                watched == start_ ? GeneratorField::Start : GeneratorField::Count;
            const auto k = form_.filterKey(field, typed[0].toLatin1());
            if (!k) return true;
            if (*k != typed[0].toLatin1() && *k != kBackspace) {
                auto* edit = static_cast<QLineEdit*>(watched);
                edit->insert(QString(QChar(*k)));
                fieldEdited(field, edit->text());
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void GeneratorDialog::createTyp() {
    form_.setPath(fromQt(path_->text()));
    form_.setLineWidth(fromQt(lineWidth_->currentText()));
    request_ = form_.accept(ui_);
    if (request_) accept();
}

} // namespace kestrel
