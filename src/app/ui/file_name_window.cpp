#include "app/ui/file_name_window.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/messages.h"
#include "app/shell_commands.h"
#include "base/messages.h"
#include "base/ui/qt_ui_port.h"

namespace kestrel {

FileNameWindow::FileNameWindow(const std::string& typfile, UiPort& ui, QWidget* parent)
    : QDialog(parent), ui_(ui), name_(new QLineEdit(toQtPath(typfile))) {
    setWindowTitle(toQt(kFileNameTitle));
    name_->setObjectName("filename");
    name_->setMinimumWidth(QFontMetrics(name_->font()).averageCharWidth() * 60);

    auto* label = new QLabel(toQt(kFileNameLabel));
    label->setBuddy(name_);
    auto* buttons = new QDialogButtonBox;
    QPushButton* cancel = buttons->addButton(toQt(kCancel), QDialogButtonBox::RejectRole);
    QPushButton* create = buttons->addButton(toQt(kCreateTyp), QDialogButtonBox::ActionRole);
    cancel->setObjectName("cancel");
    create->setObjectName("create");
    create->setDefault(true);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(create, &QPushButton::clicked, this, &FileNameWindow::create);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(name_);
    layout->addSpacing(8);
    layout->addWidget(buttons);
}

std::string FileNameWindow::fileName() const {
    return fromQtPath(name_->text());
}

void FileNameWindow::setFileName(const std::string& path) {
    name_->setText(toQtPath(path));
}

void FileNameWindow::create() {
    if (acceptTypFileName(fileName(), ui_)) accept();
}

} // namespace kestrel
