#include "update/ui/update_window.h"

#include <QApplication>
#include <QEnterEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "support/fake_launcher.h"
#include "support/window_shot.h"
#include "update/local_http_server.h"
#include "update/ui/link_label.h"

using namespace kestrel;
using test::LocalHttpServer;

namespace {

struct Fixture {
    UpdatePages pages;
    std::string workdir;
    test::FakeLauncher launcher;
};

constexpr float kVer = 5.1f;

} // namespace

TEST(UpdateWindow, ShowsTheVersionAndADisabledDownloadButton) {
    Fixture f;
    UpdateWindow w(f.pages, kVer, f.workdir, f.launcher);
    EXPECT_EQ(w.windowTitle(), "Updates");
    EXPECT_EQ(w.findChild<QLabel*>("Label1")->text(), "Current Version: 5.1");
    EXPECT_EQ(w.findChild<QLabel*>("Label2")->text(), "Click here to check website");
    EXPECT_FALSE(w.findChild<QPushButton*>("Command1")->isEnabled());
    EXPECT_EQ(w.findChild<QPushButton*>("Command1")->text(), "Download Link");
    EXPECT_EQ(w.findChild<QPushButton*>("Command2")->text(), "Cancel");
}

TEST(UpdateWindow, NewerVersionEnablesDownloadWhichOpensThePageAndCloses) {
    LocalHttpServer server(LocalHttpServer::ok("<html><body>5.2</body></html>"));
    Fixture f;
    f.pages.version = server.url();
    f.pages.download = "http://example.test/get";
    f.workdir = "/opt/kestrel";
    UpdateWindow w(f.pages, kVer, f.workdir, f.launcher);
    w.runCheck();
    EXPECT_EQ(w.findChild<QLabel*>("Label2")->text(), "An update is available! 5.2");
    auto* download = w.findChild<QPushButton*>("Command1");
    ASSERT_TRUE(download->isEnabled());
    download->click();
    ASSERT_EQ(f.launcher.opened.size(), 1u);
    EXPECT_EQ(f.launcher.opened[0], "http://example.test/get");
    EXPECT_EQ(w.result(), QDialog::Accepted);
}

// Markup on a page is neither a version nor shown as markup.
TEST(UpdateWindow, PressingTheLinkShowsTheOutcomeAsPlainTextAndKeepsDownloadDisabled) {
    LocalHttpServer server(LocalHttpServer::Pages{
        {"/same", LocalHttpServer::ok("<html><body>5.1</body></html>")},
        {"/markup", LocalHttpServer::ok("<body>6.0<h1>HACKED<br><a href=http://evil>click_here")}});
    const std::string refused = "http://127.0.0.1:" + std::to_string(test::refusingPort()) + "/";
    const std::pair<std::string, QString> cases[] = {
        {server.url("/same"), "No update available."},
        {server.url("/markup"), "Could not check for updates: not a version page"},
        {refused, "Could not check for updates: cannot connect to 127.0.0.1"},
    };
    for (const auto& [url, text] : cases) {
        Fixture f;
        f.pages.version = url;
        UpdateWindow w(f.pages, kVer, f.workdir, f.launcher);
        auto* link = w.findChild<QLabel*>("Label2");
        QTest::mouseClick(link, Qt::LeftButton);
        EXPECT_EQ(link->text(), text);
        EXPECT_EQ(link->textFormat(), Qt::PlainText);
        EXPECT_FALSE(w.findChild<QPushButton*>("Command1")->isEnabled());
    }
}

TEST(UpdateWindow, LinkTurnsMagentaUnderTheMouse) {
    Fixture f;
    UpdateWindow w(f.pages, kVer, f.workdir, f.launcher);
    auto* link = w.findChild<LinkLabel*>("Label2");
    const QColor normal = link->palette().color(QPalette::WindowText);
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(link, &enter);
    EXPECT_TRUE(link->hovered());
    EXPECT_NE(link->palette().color(QPalette::WindowText), normal);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(link, &leave);
    EXPECT_EQ(link->palette().color(QPalette::WindowText), normal);
}

// A result of two lines or more, set while the window is open, shows whole: the label gets the
// height its text needs at its width. (The name fails in the resolver itself, as in the check's
// own tests.)
TEST(WindowShots, UpdateWindowShowsAResultOfSeveralLinesWhole) {
    Fixture f;
    f.pages.version = "http://" + std::string(64, 'k') + ".invalid/version.html";
    UpdateWindow w(f.pages, kVer, f.workdir, f.launcher);
    w.show();
    QApplication::processEvents();
    w.runCheck();
    auto* link = w.findChild<QLabel*>("Label2");
    // The layout grows the label once the events of the new text are handled.
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return link->height() >= link->heightForWidth(link->width()); }));
    test::windowShot(w, "update_window");
    ASSERT_TRUE(link->text().startsWith("Could not check for updates: cannot resolve kkk"));
    EXPECT_GE(link->heightForWidth(link->width()), 2 * link->fontMetrics().height());
    EXPECT_GE(link->height(), link->heightForWidth(link->width()));
    EXPECT_LE(link->geometry().bottom(), w.height());
}
