#include "app/ui/about_window.h"

#include <QPushButton>
#include <QVBoxLayout>

#include "app/messages.h"
#include "app/shell_commands.h"
#include "base/launcher.h"
#include "base/ui/clickable_label.h"
#include "base/ui/qt_ui_port.h"

namespace kestrel {

AboutWindow::AboutWindow(float ver, Launcher& launcher, QWidget* parent) : QDialog(parent) {
    setWindowTitle(toQt(kAboutTitle));
    auto* name = new QLabel(toQt(kProgramName));
    QFont big = name->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    name->setFont(big);
    auto* version = new QLabel(toQt(std::string(kVersionPrefix) + verText(ver)));
    version->setObjectName("version");
    auto* link = new ClickableLabel(toQt(kProjectPage));
    link->setObjectName("link");
    link->setStyleSheet("color: #1a5fb4; text-decoration: underline;");
    link->setCursor(Qt::PointingHandCursor);
    connect(link, &ClickableLabel::clicked, this,
            [&launcher] { launcher.openDefault(std::string(kProjectPage), {}); });
    auto* ok = new QPushButton(toQt(kOkButton));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    for (QLabel* l : std::initializer_list<QLabel*>{name, version, link}) {
        l->setAlignment(Qt::AlignCenter);
        layout->addWidget(l);
    }
    layout->addSpacing(10);
    layout->addWidget(ok, 0, Qt::AlignCenter);
}

} // namespace kestrel
