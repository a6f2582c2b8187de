#include "draw/typ_painter.h"

#include <gtest/gtest.h>

#include <vector>

#include "draw/canvas.h"
#include "draw/picture_check.h"

namespace kestrel::draw {
namespace {

constexpr typ::Rgb kWhite = typ::rgbFromHex(0xFFFFFF);
constexpr typ::Rgb kRed = typ::rgbFromHex(0xFF0000);
constexpr typ::Rgb kGreen = typ::rgbFromHex(0x00FF00);
constexpr typ::Rgb kBlue = typ::rgbFromHex(0x0000FF);
constexpr typ::Rgb kBlack = typ::rgbFromHex(0x000000);

struct Probe {
    int x, y;
    typ::Rgb colour;
};

void expectPixels(const Canvas& canvas, std::initializer_list<Probe> probes) {
    for (const Probe& p : probes) {
        const typ::Rgb got = canvas.at(p.x, p.y);
        EXPECT_EQ(got, p.colour) << "at " << p.x << "," << p.y << ": " << int(got.red) << " "
                                 << int(got.green) << " " << int(got.blue);
    }
}

// A pattern whose left half (x < 16) is foreground.
typ::Pattern halves(std::uint8_t rows) {
    typ::Pattern p{rows, std::vector<std::uint8_t>(typ::kPatternWidth * rows)};
    for (std::size_t i = 0; i < p.pixels.size(); ++i) p.pixels[i] = i % typ::kPatternWidth < 16;
    return p;
}

const std::vector<PointF> kSquare = {{0, 0}, {64, 0}, {64, 64}, {0, 64}};
const std::vector<PointF> kHole = {{40, 40}, {56, 40}, {56, 56}, {40, 56}};

TEST(TypPainter, PatternTilesFromTheSurfaceOriginInDayOrNightColours) {
    typ::Polygon style;
    style.day = {kRed, kGreen};
    style.night = typ::ColourPair{kBlue, std::nullopt}; // transparent background by night
    style.pattern = halves(32);
    const std::vector<std::vector<PointF>> rings = {kSquare, kHole};
    Canvas day(64, 64), night(64, 64);
    TypPainter(day.cr(), Daytime::Day).fillPolygon(style, rings);
    TypPainter(night.cr(), Daytime::Night).fillPolygon(style, rings);
    // The tile repeats every 32 pixels; the hole (even-odd) stays unpainted.
    expectPixels(
        day, {{3, 5, kRed}, {20, 5, kGreen}, {35, 33, kRed}, {60, 10, kGreen}, {48, 48, kWhite}});
    expectPixels(night, {{3, 5, kBlue}, {20, 5, kWhite}, {35, 33, kBlue}, {48, 48, kWhite}});
}

TEST(TypPainter, SolidPolygonIgnoresTheBackgroundAndKeepsDayColoursWithoutNightOnes) {
    typ::Polygon style;
    style.day = {kRed, kGreen};
    const std::vector<std::vector<PointF>> rings = {kSquare};
    Canvas night(64, 64);
    TypPainter(night.cr(), Daytime::Night).fillPolygon(style, rings);
    expectPixels(night, {{3, 5, kRed}, {20, 5, kRed}, {63, 63, kRed}});
}

TEST(TypPainter, PlainLineHasItsBorderOnEachSide) {
    typ::Line style;
    style.day = {kRed, kBlue};
    style.lineWidth = 4;
    style.borderWidth = 2;
    Canvas canvas(64, 40);
    const std::vector<PointF> path = {{0, 20}, {64, 20}};
    TypPainter(canvas.cr(), Daytime::Day).strokeLine(style, path);
    // The line covers rows 18 to 21, the border two rows on each side.
    expectPixels(canvas, {{30, 18, kRed},
                          {30, 21, kRed},
                          {30, 16, kBlue},
                          {30, 17, kBlue},
                          {30, 22, kBlue},
                          {30, 23, kBlue},
                          {30, 15, kWhite},
                          {30, 24, kWhite}});
}

TEST(TypPainter, BitmapLineRepeatsItsRowsAlongThePath) {
    // Row 0 foreground, row 1 background, row 2 foreground.
    typ::Line style;
    style.day = {kRed, kGreen};
    style.pattern = typ::Pattern{3, std::vector<std::uint8_t>(3 * typ::kPatternWidth, 1)};
    std::fill_n(style.pattern->pixels.begin() + typ::kPatternWidth, typ::kPatternWidth, 0);
    Canvas canvas(80, 80);
    const std::vector<PointF> path = {{0, 20.5}, {70.5, 20.5}, {70.5, 79}};
    TypPainter(canvas.cr(), Daytime::Day).strokeLine(style, path);
    expectPixels(canvas, {{10, 19, kRed},
                          {10, 20, kGreen},
                          {10, 21, kRed},
                          {50, 22, kWhite},
                          {69, 50, kRed},
                          {70, 50, kGreen},
                          {71, 50, kRed}});
}

TEST(TypPainter, BitmapKeepsItsTopUpUnlessTurnedWithTheLine) {
    // Row 0 foreground, row 1 transparent; the line runs leftwards over rows 19 and 20.
    typ::Line style;
    style.day = {kRed, std::nullopt};
    style.pattern = typ::Pattern{2, std::vector<std::uint8_t>(2 * typ::kPatternWidth, 0)};
    std::fill_n(style.pattern->pixels.begin(), typ::kPatternWidth, 1);
    const std::vector<PointF> leftwards = {{60, 20}, {0, 20}};
    for (const bool turned : {false, true}) {
        style.useOrientation = turned;
        Canvas canvas(64, 40);
        TypPainter(canvas.cr(), Daytime::Day).strokeLine(style, leftwards);
        expectPixels(canvas, {{30, 19, turned ? kWhite : kRed}, {30, 20, turned ? kRed : kWhite}});
    }
}

// A 2 x 2 icon: red, transparent / half-transparent black, green; by night all blue.
typ::Point twoByTwo() {
    typ::Point p;
    p.day = {2,
             2,
             typ::ColourMode::Alpha,
             {{kRed, typ::kOpaque}, {kRed, typ::kTransparent}, {kBlack, 8}, {kGreen, 0}},
             {0, 1, 2, 3},
             {}};
    p.night = typ::Image{2, 2, typ::ColourMode::Opaque, {{kBlue, 0}}, {0, 0, 0, 0}, {}};
    return p;
}

TEST(TypPainter, PointIconIsCentredScaledAndShowsWhatLiesBelowItsTransparency) {
    Canvas canvas(20, 20);
    cairo_set_source_rgb(canvas.cr(), 0, 0, 1);
    cairo_paint(canvas.cr());
    TypPainter(canvas.cr(), Daytime::Day).placePoint(twoByTwo(), {10, 10}, 2);
    // At scale 2 the icon covers pixels 8 to 11 both ways.
    const typ::Rgb halfBlack{0, 0, static_cast<std::uint8_t>(255 - typ::opacityFromAlpha(8))};
    expectPixels(canvas, {{8, 8, kRed},
                          {9, 9, kRed},
                          {10, 8, kBlue},
                          {11, 9, kBlue},
                          {8, 10, halfBlack},
                          {11, 11, kGreen},
                          {7, 7, kBlue},
                          {12, 12, kBlue}});
}

TEST(TypPainter, PointByNightUsesTheNightIcon) {
    Canvas canvas(20, 20);
    TypPainter(canvas.cr(), Daytime::Night).placePoint(twoByTwo(), {10, 10}, 1);
    expectPixels(canvas, {{9, 9, kBlue}, {10, 10, kBlue}, {8, 8, kWhite}});
}

TEST(TypPainter, PlainStylesAreSoundAndVisible) {
    Canvas canvas(40, 40);
    TypPainter painter(canvas.cr(), Daytime::Day);
    const std::vector<std::vector<PointF>> rings = {{{0, 0}, {20, 0}, {20, 20}, {0, 20}}};
    painter.fillPolygon(plainPolygon({0x4B, 0}), rings);
    const std::vector<PointF> path = {{0, 30}, {40, 30}};
    painter.strokeLine(plainLine({0x01, 0}), path);
    painter.placePoint(plainPoint({0x2F, 0x06}), {30, 10});
    EXPECT_FALSE(pictureFault(plainPoint({0x2F, 0x06})));
    expectPixels(canvas, {{5, 5, plainPolygon({}).day.foreground},
                          {5, 30, plainLine({}).day.foreground},
                          {30, 10, plainPoint({}).day.palette[1].rgb},
                          {27, 7, plainPoint({}).day.palette[0].rgb}});
}

TEST(PictureCheck, MisshapenPicturesAreNamedAndNeverDrawn) {
    const auto image = [](std::uint8_t w, std::uint8_t h, typ::ColourMode mode,
                          std::vector<typ::Rgba> palette, std::vector<std::uint8_t> indices) {
        return typ::Image{w, h, mode, std::move(palette), std::move(indices), {}};
    };
    const typ::Rgba red{kRed, 0};
    struct Case {
        typ::Image image;
        std::optional<PictureFault> fault;
    } cases[] = {
        {image(1, 1, typ::ColourMode::Opaque, {red}, {0}), std::nullopt},
        {image(1, 1, typ::ColourMode::OneTransparent, {red}, {1}), std::nullopt},
        {image(1, 1, typ::ColourMode::Opaque, {red}, {1}), PictureFault::PaletteIndex},
        {image(2, 1, typ::ColourMode::Opaque, {red}, {0}), PictureFault::ImageShape},
        {image(0, 0, typ::ColourMode::Opaque, {red}, {}), PictureFault::EmptyImage},
        {image(1, 1, typ::ColourMode::Opaque, std::vector<typ::Rgba>(256, red), {0}),
         PictureFault::PaletteSize},
        {typ::Image{1, 2, typ::ColourMode::Alpha, {}, {}, {red}}, PictureFault::ImageShape},
    };
    for (const Case& c : cases) {
        typ::Point point;
        point.day = c.image;
        EXPECT_EQ(pictureFault(point), c.fault);
        Canvas canvas(4, 4);
        TypPainter(canvas.cr(), Daytime::Day).placePoint(point, {2, 2}, 1);
        if (c.fault) expectPixels(canvas, {{1, 1, kWhite}, {2, 2, kWhite}});
    }
    typ::Point night = twoByTwo();
    night.night->width = 1;
    EXPECT_EQ(pictureFault(night), PictureFault::NightImageSize);
    typ::Polygon polygon;
    polygon.pattern = halves(31);
    EXPECT_EQ(pictureFault(polygon), PictureFault::PatternShape);
    typ::Line line;
    line.pattern = halves(32);
    EXPECT_EQ(pictureFault(line), PictureFault::PatternShape);
    line.pattern->pixels.pop_back();
    line.pattern->rows = 31;
    EXPECT_EQ(pictureFault(line), PictureFault::PatternShape);
}

} // namespace
} // namespace kestrel::draw
