#include "legend/ui/legend_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "base/text.h"
#include "base/ui/qt_ui_port.h"
#include "legend/legend_texts.h"
#include "legend/sheet_picture.h"
#include "legend/sheet_words.h"

namespace kestrel::legend {

LegendWindow::LegendWindow(Sheet sheet, std::string title, QWidget* parent)
    : QDialog(parent), sheet_(std::move(sheet)), title_(std::move(title)) {
    setObjectName("legendWindow");
    setWindowTitle(toQt(concat({words::kPreviewTitle, title_})));
    day_ = new QRadioButton(toQt(words::kDayButton));
    day_->setObjectName("legendDay");
    night_ = new QRadioButton(toQt(words::kNightButton));
    night_->setObjectName("legendNight");
    auto* switches = new QHBoxLayout;
    switches->addWidget(day_);
    switches->addWidget(night_);
    switches->addStretch();
    picture_ = new QLabel;
    picture_->setObjectName("legendPicture");
    picture_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* scroll = new QScrollArea;
    scroll->setWidget(picture_);
    scroll->setWidgetResizable(true);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(switches);
    layout->addWidget(scroll);
    connect(night_, &QRadioButton::toggled, this, &LegendWindow::showNight);
    day_->setChecked(true);
    showNight(false);
    resize(760, 640);
}

void LegendWindow::showNight(bool night) {
    if (night_->isChecked() != night) (night ? night_ : day_)->setChecked(true);
    const auto png =
        sheetPicture(sheet_, title_, PictureFormat::Png, night ? Columns::Night : Columns::Day);
    if (const auto* bytes = std::get_if<std::string>(&png)) {
        QPixmap pixmap;
        pixmap.loadFromData(reinterpret_cast<const uchar*>(bytes->data()),
                            static_cast<uint>(bytes->size()), "PNG");
        picture_->setPixmap(pixmap);
    } else {
        picture_->setText(toQt(tooLargeText(std::get<TooLargeForPicture>(png))));
    }
}

std::optional<typ::TypFile> previewTyp(const std::string& path, UiPort& ui, QWidget* parent) {
    InputRead read = readLegendInput(path);
    const auto refuse = [&](std::string_view why) {
        ui.message(concat({words::kCannotShow, path, ": ", why}));
        return std::nullopt;
    };
    if (const auto* fault = std::get_if<InputFault>(&read)) return refuse(inputFaultText(*fault));
    LegendInput& input = std::get<LegendInput>(read);
    if (const auto fault = sheetFault(input.typ)) return refuse(sheetFaultText(*fault));
    auto* window = new LegendWindow(makeSheet(input.typ), legendTitle(path, input), parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return std::move(input.typ);
}

} // namespace kestrel::legend
