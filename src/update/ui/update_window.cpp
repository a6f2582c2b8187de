#include "update/ui/update_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/launcher.h"
#include "base/messages.h"
#include "update/messages.h"
#include "update/ui/link_label.h"
#include "update/update_check.h"

namespace kestrel {

namespace {

constexpr int kYieldsBeforeClosing = 3;

} // namespace

UpdateWindow::UpdateWindow(UpdatePages pages, float ver, std::string workdir, Launcher& launcher,
                           QWidget* parent)
    : QDialog(parent), pages_(std::move(pages)), ver_(ver), workdir_(std::move(workdir)),
      launcher_(launcher), ui_(this), link_(new LinkLabel(toQt(kCheckWebsite), this)),
      downloadButton_(new QPushButton(toQt(kDownloadLink), this)) {
    setObjectName("UpdateWindow");
    setWindowTitle(toQt(kUpdatesTitle));

    auto* version = new QLabel(toQt(std::string(kCurrentVersion) + versionText(ver_)), this);
    version->setObjectName("Label1");
    link_->setObjectName("Label2");
    link_->setTextFormat(Qt::PlainText); // the result holds words from the page and the server
    link_->setMinimumWidth(280);
    downloadButton_->setObjectName("Command1");
    downloadButton_->setEnabled(false);
    auto* cancel = new QPushButton(toQt(kCancel), this);
    cancel->setObjectName("Command2");

    connect(link_, &LinkLabel::clicked, this, &UpdateWindow::runCheck);
    connect(downloadButton_, &QPushButton::clicked, this, &UpdateWindow::download);
    connect(cancel, &QPushButton::clicked, this, &UpdateWindow::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(downloadButton_);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(version);
    layout->addSpacing(8);
    layout->addWidget(link_);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    // The window takes the size its texts need, also when a longer result comes in while it is
    // open: a result runs over two lines or more ("cannot resolve" with a long name).
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void UpdateWindow::runCheck() {
    ui_.busy(true);
    const UpdateOutcome outcome = checkUpdate(updatePageUrl(pages_), ver_, ui_);
    ui_.busy(false);
    link_->setText(toQt(resultText(outcome)));
    downloadButton_->setEnabled(std::holds_alternative<UpdateAvailable>(outcome));
}

void UpdateWindow::download() {
    launcher_.openDefault(downloadUrl(pages_), workdir_);
    for (int i = 0; i < kYieldsBeforeClosing; ++i) ui_.yieldNow();
    accept();
}

} // namespace kestrel
