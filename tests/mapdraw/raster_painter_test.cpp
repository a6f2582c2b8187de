// The map picture's painter, checked by the colours it leaves at known pixels: fills, patterns,
// lines with their borders and bitmaps, icons with their alpha, and shapes that reach past the
// picture or come with coordinates no map should hold.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "mapdraw/raster_painter.h"

namespace kestrel::test {
namespace {

using draw::PointF;
using mapdraw::Raster;
using mapdraw::RasterPainter;
using Ring = std::vector<PointF>;

constexpr std::uint32_t kGround = 0xFFFFFF;
constexpr typ::Rgb kRed{0xE0, 0x20, 0x20}, kBlue{0x20, 0x20, 0xE0}, kDark{0x20, 0x20, 0x20};
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// A pattern of `rows` rows whose pixel (x, y) is on(x, y).
template <class On> typ::Pattern pattern(std::uint8_t rows, On on) {
    typ::Pattern p{rows, std::vector<std::uint8_t>(std::size_t{32} * rows)};
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < 32; ++x) p.pixels[static_cast<std::size_t>(y) * 32 + x] = on(x, y);
    return p;
}

typ::Polygon polygon(typ::ColourPair day, std::optional<typ::Pattern> pattern = {}) {
    typ::Polygon p;
    p.day = day;
    p.pattern = std::move(pattern);
    return p;
}

typ::Line plainLine(typ::ColourPair day, std::uint8_t width, std::uint8_t border) {
    typ::Line l;
    l.day = day;
    l.lineWidth = width;
    l.borderWidth = border;
    return l;
}

typ::Line bitmapLine(typ::ColourPair day, typ::Pattern pattern, bool turned) {
    typ::Line l;
    l.day = day;
    l.pattern = std::move(pattern);
    l.useOrientation = turned;
    return l;
}

std::uint32_t hex(typ::Rgb c) {
    return std::uint32_t{c.red} << 16 | c.green << 8 | c.blue;
}

struct Pixel {
    const char* what;
    int x, y;
    std::uint32_t rgb;
};

class RasterPainterTest : public ::testing::Test {
  protected:
    RasterPainterTest() { raster_.hold({0, 100}, 0xFFFFFFFF); }
    void expectPixels(const std::vector<Pixel>& pixels) const {
        for (const Pixel& p : pixels) EXPECT_EQ(raster_.row(p.y)[p.x] & 0xFFFFFF, p.rgb) << p.what;
    }
    void fill(const typ::Polygon& style, std::vector<Ring> rings) {
        painter_.fillPolygon(style, rings);
    }

    Raster raster_{100, 100, 100};
    RasterPainter painter_{raster_, draw::Daytime::Day};
};

TEST_F(RasterPainterTest, PolygonsFillEvenOddByPixelCentres) {
    fill(polygon({kRed, {}}),
         {{{10, 10}, {30, 10}, {30, 30}, {10, 30}}, {{15, 15}, {25, 15}, {25, 25}, {15, 25}}});
    expectPixels({{"inside", 12, 12, hex(kRed)},
                  {"last pixel whose centre is inside", 29, 29, hex(kRed)},
                  {"right of the edge", 30, 20, kGround},
                  {"above", 12, 9, kGround},
                  {"the hole", 20, 20, kGround}});
}

TEST_F(RasterPainterTest, PatternsTileFromThePictureOriginAndShowWhatIsBelow) {
    fill(polygon({kBlue, {}}), {{{0, 0}, {100, 0}, {100, 100}, {0, 100}}});
    typ::Polygon dotted =
        polygon({kRed, {}}, pattern(32, [](int x, int y) { return x == 3 && y == 5; }));
    fill(dotted, {{{20, 20}, {80, 20}, {80, 80}, {20, 80}}});
    expectPixels({{"the dot's place in the second tile", 35, 37, hex(kRed)},
                  {"transparent: the polygon below", 36, 37, hex(kBlue)}});
    typ::Polygon backed = dotted;
    backed.day.background = kDark;
    fill(backed, {{{20, 20}, {80, 20}, {80, 80}, {20, 80}}});
    expectPixels({{"the dot", 67, 69, hex(kRed)}, {"the background", 66, 69, hex(kDark)}});
}

TEST_F(RasterPainterTest, NightColoursWhereTheElementHasThem) {
    RasterPainter night(raster_, draw::Daytime::Night);
    const Ring square{{0, 0}, {50, 0}, {50, 50}, {0, 50}};
    typ::Polygon both = polygon({kRed, {}});
    both.night = typ::ColourPair{kBlue, {}};
    night.fillPolygon(both, {&square, 1});
    expectPixels({{"night colour", 10, 10, hex(kBlue)}});
    night.fillPolygon(polygon({kRed, {}}), {&square, 1});
    expectPixels({{"no night colour: the day's", 10, 10, hex(kRed)}});
}

// A line along y = 50.5: width 3 covers rows 49 to 51, the border of 2 rows 47 to 53.
TEST_F(RasterPainterTest, LinesOfOneTypeGetTheirBordersFirst) {
    const typ::Line road = plainLine({kRed, kDark}, 3, 2);
    const std::vector<Ring> paths{{{0, 50.5}, {100, 50.5}}, {{50.5, 0}, {50.5, 100}}};
    painter_.strokeLines(road, paths);
    expectPixels({{"inside", 10, 49, hex(kRed)},
                  {"inside", 10, 51, hex(kRed)},
                  {"border above", 10, 47, hex(kDark)},
                  {"border below", 10, 53, hex(kDark)},
                  {"beyond the border", 10, 54, kGround},
                  {"beyond the border", 10, 46, kGround},
                  {"crossing: the other line's inside over this border", 50, 47, hex(kRed)}});
}

TEST_F(RasterPainterTest, BitmapLinesKeepTheirTopUpUnlessTurned) {
    // Row 0 the foreground, rows 1 and 2 the background.
    const typ::Pattern stripes = pattern(3, [](int, int y) { return y == 0; });
    const struct {
        const char* what;
        bool turned;
        PointF from, to;
        std::uint32_t top, bottom;
    } table[] = {
        {"rightwards", false, {0, 50.5}, {100, 50.5}, hex(kRed), hex(kDark)},
        {"leftwards, unturned", false, {100, 50.5}, {0, 50.5}, hex(kRed), hex(kDark)},
        {"leftwards, turned", true, {100, 50.5}, {0, 50.5}, hex(kDark), hex(kRed)},
    };
    for (const auto& row : table) {
        Raster raster(100, 100, 100);
        raster.hold({0, 100}, 0xFFFFFFFF);
        RasterPainter painter(raster, draw::Daytime::Day);
        const typ::Line line = bitmapLine({kRed, kDark}, stripes, row.turned);
        painter.strokeLines(line, std::vector<Ring>{{row.from, row.to}});
        EXPECT_EQ(raster.row(49)[10] & 0xFFFFFF, row.top) << row.what;
        EXPECT_EQ(raster.row(51)[10] & 0xFFFFFF, row.bottom) << row.what;
        EXPECT_EQ(raster.row(52)[10] & 0xFFFFFF, kGround) << row.what;
    }
    const typ::Line holed = bitmapLine({kRed, {}}, stripes, false);
    painter_.strokeLines(holed, std::vector<Ring>{{{0, 50.5}, {100, 50.5}}});
    expectPixels({{"no background: transparent", 10, 51, kGround}});
}

TEST_F(RasterPainterTest, IconsBlendWithTheirAlpha) {
    typ::Point mark;
    mark.day.width = mark.day.height = 2;
    mark.day.mode = typ::ColourMode::Alpha;
    mark.day.palette = {{kRed, typ::kOpaque}, {{0, 0, 0xFF}, 8}, {kRed, typ::kTransparent}};
    mark.day.indices = {0, 1, 2, 0};
    const PointF at[] = {{50, 50}, {0, 0}, {100, 100}, {kNaN, 5}, {1e300, -1e300}};
    painter_.placePoints(mark, at);
    expectPixels({{"opaque", 49, 49, hex(kRed)},
                  {"alpha 8 of 15 over white", 50, 49, 0x8888FF},
                  {"transparent", 49, 50, kGround},
                  {"half outside the top left", 0, 0, hex(kRed)},
                  {"half outside the bottom right", 99, 99, hex(kRed)}});
}

// Coordinates no map should hold: nothing is written outside the picture (the sanitizer build
// checks), and what lies in it is drawn as the shape's part there.
TEST_F(RasterPainterTest, ShapesFarOutsideOrHostileAreClipped) {
    const typ::Polygon red = polygon({kRed, {}});
    fill(red, {{{1e300, 1e300}, {-1e300, 1e300}, {kNaN, 0}, {kInf, -kInf}}});
    fill(red, {{{-1e6, -1e6}, {-1e6 + 10, -1e6}, {-1e6, 1e6}}});
    expectPixels({{"nothing drawn by far-away rings", 50, 50, kGround}});
    fill(red, {{{-1e15, -1e15}, {1e15, -1e15}, {1e15, 1e15}, {-1e15, 1e15}}});
    expectPixels({{"a ring round the picture", 0, 0, hex(kRed)},
                  {"a ring round the picture", 99, 99, hex(kRed)}});
    const typ::Line blue = plainLine({kBlue, {}}, 250, 0);
    painter_.strokeLines(blue, std::vector<Ring>{{{-1e12, 50}, {1e12, 50.5}, {kNaN, kInf}}});
    expectPixels(
        {{"a wide line across", 0, 0, hex(kBlue)}, {"a wide line across", 99, 99, hex(kBlue)}});
    // Thin lines from far outside, level, slight or steep: drawn where they cross the picture only.
    const typ::Line thin = plainLine({kDark, {}}, 1, 0);
    painter_.strokeLines(thin, std::vector<Ring>{{{-1e9, 10.5}, {1e9, 10.6}},
                                                 {{-1e7, -1e7}, {1e7, 1e7}},
                                                 {{30.5, -1e9}, {30.4, 1e9}},
                                                 {{-1e9, 60.5}, {1e9, 60.5}}});
    expectPixels({{"a slight line", 0, 10, hex(kDark)},
                  {"a slight line", 99, 10, hex(kDark)},
                  {"beside a slight line", 5, 11, hex(kBlue)},
                  {"a level line", 0, 60, hex(kDark)},
                  {"a level line", 99, 60, hex(kDark)},
                  {"a diagonal", 0, 0, hex(kDark)},
                  {"a diagonal", 99, 99, hex(kDark)},
                  {"beside a diagonal", 70, 72, hex(kBlue)},
                  {"a steep line", 30, 0, hex(kDark)},
                  {"a steep line", 30, 99, hex(kDark)},
                  {"beside a steep line", 31, 80, hex(kBlue)}});
    const typ::Line striped =
        bitmapLine({kRed, kDark}, pattern(31, [](int, int) { return 1; }), true);
    painter_.strokeLines(striped, std::vector<Ring>{{{1e300, 20.5}, {-1e12, 20.5}, {kNaN, 0}}});
    expectPixels({{"a bitmap line across", 50, 20, hex(kRed)}});
}

// Painters of bands of rows, each into a raster holding its band's rows only, together leave the
// pixels one painter of the whole picture leaves: every kind of shape, crossing the bands' edges
// or ending just short of them.
TEST(RasterPainterBandsTest, BandsTogetherPaintWhatOnePainterPaints) {
    const typ::Polygon red = polygon({kRed, {}});
    const typ::Polygon chequered =
        polygon({kBlue, {}}, pattern(32, [](int x, int y) { return (x + y) % 3 == 0; }));
    const typ::Line bordered = plainLine({kBlue, kDark}, 5, 2);
    const typ::Line thin = plainLine({kDark, {}}, 1, 0);
    const typ::Line striped =
        bitmapLine({kRed, kDark}, pattern(7, [](int x, int y) { return (x / 4 + y) % 2; }), false);
    typ::Point mark;
    mark.day.width = mark.day.height = 5;
    mark.day.mode = typ::ColourMode::Alpha;
    mark.day.palette = {{kRed, typ::kOpaque}, {{0, 0, 0xFF}, 8}};
    mark.day.indices.assign(25, 0);
    mark.day.indices[12] = 1;
    const auto paint = [&](RasterPainter& p) {
        p.fillPolygon(red, std::vector<Ring>{{{3.2, 2.7}, {96.1, 40.3}, {20.5, 97.9}},
                                             {{30, 30}, {60, 30.5}, {45, 70}}});
        p.fillPolygon(chequered, std::vector<Ring>{{{-10, 33.5}, {110, 32.9}, {50, 66.6}}});
        p.strokeLines(bordered, std::vector<Ring>{{{5, 5}, {95, 34}, {10, 66}, {90, 95.5}},
                                                  {{50, -20}, {52, 120}}});
        p.strokeLines(thin, std::vector<Ring>{{{0.3, 33.4}, {99.7, 33.6}},
                                              {{-1e9, -1e9}, {1e9, 1e9}},
                                              {{70.5, 1}, {71.5, 99}}});
        p.strokeLines(striped, std::vector<Ring>{{{2, 60}, {97, 20}, {40, 99}}});
        const PointF at[] = {{33, 33}, {66, 66.5}, {10, 34}, {90, 65.5}, {50, 0}, {50, 99}};
        p.placePoints(mark, at);
    };
    Raster whole(100, 100, 100), rows(100, 100, 34);
    whole.hold({0, 100}, 0xFFFFFFFF);
    RasterPainter one(whole, draw::Daytime::Day);
    paint(one);
    for (const mapdraw::RowBand band : {mapdraw::RowBand{0, 33}, {33, 34}, {34, 66}, {66, 100}}) {
        rows.hold(band, 0xFFFFFFFF);
        RasterPainter part(rows, draw::Daytime::Day, band);
        paint(part);
        for (int y = band.top; y < band.bottom; ++y)
            for (int x = 0; x < 100; ++x)
                ASSERT_EQ(rows.row(y)[x], whole.row(y)[x]) << "pixel " << x << "," << y;
    }
}

} // namespace
} // namespace kestrel::test
