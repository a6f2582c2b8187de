#include "colour/ui/screen_colour_picker.h"

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

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
    EXPECT_TRUE(picker->findChild<QLabel*>("CaptureNote")->text().contains("does not allow"));
    EXPECT_TRUE(picker->colourText().isEmpty());
    delete picker;
}
