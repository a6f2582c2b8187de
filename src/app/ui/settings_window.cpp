#include "app/ui/settings_window.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "app/messages.h"
#include "app/settings_form.h"
#include "base/messages.h"
#include "base/paths.h"
#include "base/ui/qt_ui_port.h"
#include "colour/ui/colour_slot_window.h"

namespace kestrel {
namespace {

const QColor kTabSelected(51, 153, 255);

QColor windowColour(ColourValue c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

QLabel* heading(const QString& text) {
    auto* l = new QLabel(text);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

} // namespace

SettingsWindow::SettingsWindow(Settings& settings, UiPort& ui, QWidget* parent)
    : QDialog(parent), settings_(settings), ui_(ui), pages_(new QStackedWidget) {
    setWindowTitle(toQt(kAllSettings));
    auto* tabRow = new QHBoxLayout;
    tabRow->setSpacing(0);
    for (std::size_t i = 0; i < tabs_.size(); ++i) {
        tabs_[i] = new QPushButton(toQt(kSettingsPages[i]));
        tabs_[i]->setObjectName("tab" + toQt(kSettingsPages[i]));
        tabs_[i]->setFlat(true);
        tabs_[i]->setMinimumWidth(100);
        connect(tabs_[i], &QPushButton::clicked, this, [this, i] { showPage(Page(i)); });
        tabRow->addWidget(tabs_[i]);
    }
    tabRow->addStretch();
    pages_->addWidget(coloursPage());
    pages_->addWidget(advancedPage());
    pages_->addWidget(softwarePage());
    pages_->addWidget(elementsPage());
    pages_->setFrameShape(QFrame::StyledPanel);

    auto* apply = new QPushButton(toQt(kApplyButton));
    auto* cancel = new QPushButton(toQt(kCancel));
    apply->setObjectName("apply");
    cancel->setObjectName("cancel");
    apply->setDefault(true);
    connect(apply, &QPushButton::clicked, this, &SettingsWindow::apply);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(apply);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tabRow);
    layout->addWidget(pages_, 1);
    layout->addLayout(buttons);
    setMinimumSize(520, 320);

    const SettingsForm f = settingsForm(settings_);
    tdbEditor_->setText(toQtPath(f.tdbEditorPath));
    tinker_->setText(toQtPath(f.tinkerPath));
    include4b4a_->setChecked(f.include4b4a);
    variousIcons_->setChecked(f.variousIcons);
    poiWidth_->setText(toQt(f.poiWidth));
    cityPoiWidth_->setText(toQt(f.cityPoiWidth));
    for (std::size_t k = 0; k < 3; ++k) {
        typeOnBmp_[k]->setChecked(f.typeOnBmp[k]);
        colorPicker_[k]->setChecked(f.colorPicker[k]);
    }
    for (int slot = 0; slot < 4; ++slot) paintSwatch(slot);
    showPage(Colours);
}

void SettingsWindow::showPage(Page page) {
    pages_->setCurrentIndex(page);
    for (std::size_t i = 0; i < tabs_.size(); ++i) {
        const bool on = static_cast<int>(i) == page;
        tabs_[i]->setStyleSheet(
            QString("QPushButton { background: %1; color: %2; border: 1px solid #9a9a9a;"
                    " padding: 5px 14px; }")
                .arg(on ? kTabSelected.name() : QString("white"), on ? "white" : "black"));
    }
}

QWidget* SettingsWindow::coloursPage() {
    auto* page = new QWidget;
    page->setObjectName("pageColours");
    auto* grid = new QGridLayout(page);
    grid->addWidget(heading(toQt(kTypesBelow100)), 0, 1, Qt::AlignCenter);
    grid->addWidget(heading(toQt(kTypesFrom100)), 0, 2, Qt::AlignCenter);
    grid->addWidget(heading(toQt(kKindCaptions[kPolygons])), 1, 0);
    grid->addWidget(heading(toQt(kKindCaptions[kPois])), 2, 0);
    for (int slot = 0; slot < 4; ++slot) {
        auto* swatch = new QPushButton;
        swatch->setObjectName(QString("swatch%1").arg(slot));
        swatch->setFixedSize(90, 40);
        swatch->setCursor(Qt::PointingHandCursor);
        connect(swatch, &QPushButton::clicked, this, [this, slot] { editSlot(slot); });
        swatches_[static_cast<std::size_t>(slot)] = swatch;
        grid->addWidget(swatch, 1 + slot / 2, 1 + slot % 2, Qt::AlignCenter);
    }
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(3, 1);
    return page;
}

QWidget* SettingsWindow::advancedPage() {
    auto* page = new QWidget;
    page->setObjectName("pageAdvanced");
    include4b4a_ = new QCheckBox(toQt(kInclude4b4a));
    include4b4a_->setObjectName("include4b4a");
    variousIcons_ = new QCheckBox(toQt(kVariousIcons));
    variousIcons_->setObjectName("variousIcons");
    poiWidth_ = new QLineEdit;
    poiWidth_->setObjectName("poiWidth");
    cityPoiWidth_ = new QLineEdit;
    cityPoiWidth_->setObjectName("cityPoiWidth");
    for (QLineEdit* e : {poiWidth_, cityPoiWidth_}) e->setMaximumWidth(60);
    auto* grid = new QGridLayout(page);
    grid->addWidget(include4b4a_, 0, 0, 1, 2);
    grid->addWidget(variousIcons_, 1, 0, 1, 2);
    grid->addWidget(new QLabel(toQt(kPoiWidthLabel)), 2, 0);
    grid->addWidget(poiWidth_, 2, 1, Qt::AlignLeft);
    grid->addWidget(new QLabel(toQt(kCityPoiWidthLabel)), 3, 0);
    grid->addWidget(cityPoiWidth_, 3, 1, Qt::AlignLeft);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(4, 1);
    return page;
}

QWidget* SettingsWindow::pathRow(const QString& label, QLineEdit*& field, const char* name,
                                 void (SettingsWindow::*browse)()) {
    auto* box = new QGroupBox(label);
    field = new QLineEdit;
    field->setObjectName(name);
    auto* button = new QPushButton(toQt(kBrowseDots));
    button->setObjectName(QString(name) + "Browse");
    button->setFixedWidth(36);
    connect(button, &QPushButton::clicked, this, browse);
    auto* row = new QHBoxLayout(box);
    row->addWidget(field, 1);
    row->addWidget(button);
    return box;
}

QWidget* SettingsWindow::softwarePage() {
    auto* page = new QWidget;
    page->setObjectName("pageSoftware");
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(
        pathRow(toQt(kTdbEditorLabel), tdbEditor_, "tdbEditor", &SettingsWindow::browseTdbEditor));
    layout->addWidget(
        pathRow(toQt(kTinkerLabel), tinker_, "tinker", &SettingsWindow::browseTinker));
    layout->addStretch();
    return page;
}

QWidget* SettingsWindow::elementsPage() {
    auto* page = new QWidget;
    page->setObjectName("pageElements");
    auto* grid = new QGridLayout(page);
    grid->setHorizontalSpacing(28);
    grid->setVerticalSpacing(12);
    grid->addWidget(heading(toQt(kTypeOnBmp)), 0, 1, Qt::AlignCenter);
    grid->addWidget(heading(toQt(kColourPicker)), 0, 2, Qt::AlignCenter);
    for (std::size_t k = 0; k < 3; ++k) {
        const int row = static_cast<int>(k) + 1;
        grid->addWidget(heading(toQt(kKindCaptions[k])), row, 0);
        typeOnBmp_[k] = new QCheckBox;
        colorPicker_[k] = new QCheckBox;
        typeOnBmp_[k]->setObjectName(QString("typeOnBmp%1").arg(k));
        colorPicker_[k]->setObjectName(QString("colorPicker%1").arg(k));
        // A style is drawn one way or the other, or neither.
        connect(typeOnBmp_[k], &QCheckBox::toggled, this, [this, k](bool on) {
            if (on) colorPicker_[k]->setChecked(false);
        });
        connect(colorPicker_[k], &QCheckBox::toggled, this, [this, k](bool on) {
            if (on) typeOnBmp_[k]->setChecked(false);
        });
        grid->addWidget(typeOnBmp_[k], row, 1, Qt::AlignCenter);
        grid->addWidget(colorPicker_[k], row, 2, Qt::AlignCenter);
    }
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(4, 1);
    return page;
}

void SettingsWindow::paintSwatch(int slot) {
    const QColor c = windowColour(settings_.colourSlots[static_cast<std::size_t>(slot)]);
    swatches_[static_cast<std::size_t>(slot)]->setStyleSheet(
        QString("QPushButton { background: %1; border: 1px solid #606060; }").arg(c.name()));
}

void SettingsWindow::editSlot(int slot) {
    swatches_[static_cast<std::size_t>(slot)]->setFocus();
    ColourSlotWindow window(settings_.colourSlots, slot, this);
    window.exec();
    paintSwatch(slot);
}

void SettingsWindow::browseTdbEditor() {
    const QString start = toQtPath(folderOf(fromQtPath(tdbEditor_->text()), ""));
    takeTdbEditor(fromQtPath(
        QFileDialog::getOpenFileName(this, toQt(kOpenFileTitle), start, toQt(kTdbEditorFilter))));
}

void SettingsWindow::browseTinker() {
    const QString start = toQtPath(folderOf(fromQtPath(tinker_->text()), ""));
    takeTinker(fromQtPath(
        QFileDialog::getOpenFileName(this, toQt(kOpenFileTitle), start, toQt(kTinkerFilter))));
}

void SettingsWindow::takeTdbEditor(const std::string& chosen) {
    if (const auto path = browsedTdbEditor(chosen, ui_)) tdbEditor_->setText(toQtPath(*path));
}

void SettingsWindow::takeTinker(const std::string& chosen) {
    if (const auto path = browsedTinker(chosen, ui_)) tinker_->setText(toQtPath(*path));
}

SettingsForm SettingsWindow::form() const {
    SettingsForm f;
    f.tdbEditorPath = fromQtPath(tdbEditor_->text());
    f.tinkerPath = fromQtPath(tinker_->text());
    f.include4b4a = include4b4a_->isChecked();
    f.variousIcons = variousIcons_->isChecked();
    f.poiWidth = fromQt(poiWidth_->text());
    f.cityPoiWidth = fromQt(cityPoiWidth_->text());
    for (std::size_t k = 0; k < 3; ++k) {
        f.typeOnBmp[k] = typeOnBmp_[k]->isChecked();
        f.colorPicker[k] = colorPicker_[k]->isChecked();
    }
    return f;
}

void SettingsWindow::apply() {
    if (applySettings(form(), settings_, ui_)) accept();
}

} // namespace kestrel
