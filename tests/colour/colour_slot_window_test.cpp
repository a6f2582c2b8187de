#include "colour/ui/colour_slot_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "colour/ui/colour_field_view.h"
#include "colour/ui/shade_strip_view.h"
#include "support/window_shot.h"

using namespace kestrel;

namespace {

QLineEdit* hexField(ColourSlotWindow& w) {
    return w.findChild<QLineEdit*>("HexField");
}

} // namespace

TEST(ColourSlotWindow, OpensOnTheSlotColour) {
    ColourSlots s = kDefaultColourSlots;
    s[1] = 0x0080FF;
    ColourSlotWindow w(s, 1);
    EXPECT_EQ(w.current(), 0x0080FF);
    EXPECT_EQ(hexField(w)->text(), "FF8000");
    EXPECT_EQ(w.findChild<ShadeStripView*>("ShadeStrip")->marker(), 128);
}

// The field's rules are tested with the hex field; here typed and pasted text reach them, OK
// stores the colour and Cancel nothing.
TEST(ColourSlotWindow, TypedOrPastedDigitsMakeTheColourThatOkStores) {
    ColourSlots s = kDefaultColourSlots;
    const struct {
        bool typed;
        const char *input, *text;
        ColourValue colour;
    } cases[] = {{true, "FF8g0#00", "FF8000", 0x0080FF}, {false, "#00ff00!", "00FF00", 0x00FF00}};
    for (const auto& c : cases) {
        ColourSlotWindow w(s, 2);
        hexField(w)->clear();
        if (c.typed) {
            QTest::keyClicks(hexField(w), c.input);
        } else {
            hexField(w)->insert(c.input); // as a paste would, which emits no textEdited
            emit hexField(w)->textEdited(hexField(w)->text());
        }
        EXPECT_EQ(hexField(w)->text(), c.text);
        EXPECT_EQ(w.current(), c.colour);
        EXPECT_TRUE(w.findChild<QLabel*>("Sample")->styleSheet().contains(c.text));
        w.findChild<QPushButton*>(c.typed ? "OK" : "Cancel")->click();
        EXPECT_EQ(w.result(), c.typed ? QDialog::Accepted : QDialog::Rejected);
        EXPECT_EQ(w.current(), c.typed ? c.colour : -1);
        EXPECT_EQ(s[2], 0x0080FF); // the typed colour, kept when Cancel is pressed
    }
}

TEST(ColourSlotWindow, SwatchClickMakesItsColourCurrent) {
    ColourSlots s = kDefaultColourSlots;
    ColourSlotWindow w(s, 0);
    w.findChild<QPushButton*>("Swatch_2")->click();
    EXPECT_EQ(w.current(), 16711680);
    EXPECT_EQ(hexField(w)->text(), "0000FF");
    EXPECT_EQ(w.findChildren<QPushButton*>(QRegularExpression("^Swatch_")).size(), 24);
}

TEST(ColourSlotWindow, ClickOnTheFieldPicksItsPixelAndReleaseMovesTheCrossHair) {
    ColourSlots s = kDefaultColourSlots;
    ColourSlotWindow w(s, 0);
    auto* field = w.findChild<ColourFieldView*>("ColourField");
    QTest::mousePress(field, Qt::LeftButton, {}, QPoint(120, 128));
    EXPECT_FALSE(field->crossHairShown());
    const Rgb c = CToRGB(w.current());
    EXPECT_LT(c.r, 10);
    EXPECT_GT(c.g, 240);
    QTest::mouseRelease(field, Qt::LeftButton, {}, QPoint(120, 128));
    EXPECT_TRUE(field->crossHairShown());
    EXPECT_NEAR(field->crossHair().x(), 120, 2);
    EXPECT_NEAR(field->crossHair().y(), 128, 2);
}

TEST(ColourSlotWindow, ClickOnTheStripTakesItsStripeWithoutRedrawing) {
    ColourSlots s = kDefaultColourSlots;
    s[0] = 0x3264C8;
    ColourSlotWindow w(s, 0);
    auto* strip = w.findChild<ShadeStripView*>("ShadeStrip");
    const ColourValue darkest = strip->colourAt(0);
    QTest::mouseClick(strip, Qt::LeftButton, {}, QPoint(0, 5));
    EXPECT_EQ(w.current(), darkest);
    EXPECT_EQ(strip->colourAt(255), shades(0x3264C8)->stripes[127]); // strip unchanged
}

TEST(WindowShots, ColourSlotWindowShowsAllItsParts) {
    ColourSlots s = kDefaultColourSlots;
    s[0] = 0x3264C8;
    ColourSlotWindow w(s, 0);
    const QImage shot = test::windowShot(w, "colour_slot_window");
    ASSERT_FALSE(shot.isNull());
    EXPECT_EQ(test::clippedControls(w, shot), QStringList());
    const QWidget* sample = w.findChild<QLabel*>("Sample");
    const QPoint middle = sample->mapTo(&w, sample->rect().center());
    EXPECT_EQ(shot.pixelColor(middle), QColor(0xC8, 0x64, 0x32)); // the slot's colour
}
