#include "colour/ui/screen_colour_picker.h"

#include <QCursor>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include "colour/ui/colour_slot_window.h"
#include "support/window_shot.h"

using namespace kestrel;

TEST(ScreenColourPicker, ShowsTheMiddlePixelAsRrggbb) {
    auto* picker = new ScreenColourPicker;
    QImage grab(60, 60, QImage::Format_RGB32);
    grab.fill(qRgb(0, 0, 0));
    grab.setPixel(30, 30, qRgb(0x12, 0x34, 0x56));
    picker->showGrab(grab);
    EXPECT_EQ(picker->colourText(), "123456");
    EXPECT_FALSE(picker->refused());
    delete picker;
}

TEST(ScreenColourPicker, EnterPutsTheTextIntoTheTitle) {
    auto* picker = new ScreenColourPicker;
    QImage grab(60, 60, QImage::Format_RGB32);
    grab.fill(qRgb(0xFF, 0x80, 0x00));
    picker->showGrab(grab);
    QTest::keyClick(picker->findChild<QLineEdit*>("Text1"), Qt::Key_Return);
    EXPECT_EQ(picker->windowTitle(), "FF8000");
    delete picker;
}

TEST(ScreenColourPicker, EmptyGrabShowsTheRefusalInsteadOfGarbage) {
    auto* picker = new ScreenColourPicker;
    picker->showGrab(QImage());
    EXPECT_TRUE(picker->refused());
    EXPECT_TRUE(picker->findChild<QLabel*>("CaptureNote")
                    ->text()
                    .contains("does not let programs read the screen"));
    EXPECT_TRUE(picker->colourText().isEmpty());
    delete picker;
}

TEST(WindowShots, ScreenColourPickerShowsTheMagnifierOrTheRefusal) {
    // Something colourful under the pointer, where the desktop lets the picker read it.
    ColourSlots colourSlots = kDefaultColourSlots;
    ColourSlotWindow colours(colourSlots, 0);
    colours.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&colours));
    const QPoint spot(200, 100);
    QCursor::setPos(colours.mapToGlobal(spot));
    auto* picker = new ScreenColourPicker;
    picker->move(colours.frameGeometry().topRight() + QPoint(20, 0));
    picker->tick();
    const QImage shot = test::windowShot(*picker, "screen_colour_picker");
    ASSERT_FALSE(shot.isNull());
    if (ScreenColourPicker::captureAllowed()) { // a display, as tools/screenshots_tools.sh gives
        const QColor under = colours.grab().toImage().pixelColor(spot);
        EXPECT_EQ(picker->colourText(), under.name().mid(1).toUpper());
    } else { // the offscreen platform of the tests: no screen to read, no grab tried
        EXPECT_TRUE(picker->refused());
        EXPECT_TRUE(picker->findChild<QLabel*>("CaptureNote")->isVisibleTo(picker));
        EXPECT_TRUE(picker->colourText().isEmpty());
    }
    delete picker;
}
