#include "legend/swatch.h"

#include <gtest/gtest.h>

#include <regex>

#include "draw/canvas.h"
#include "legend/cairo_bytes.h"
#include "legend/legend_sample.h"
#include "legend/sheet_html.h"
#include "legend/sheet_picture.h"
#include "support/golden_file.h"

namespace kestrel::legend {
namespace {

using draw::Daytime;
constexpr typ::Rgb kRed = typ::rgbFromHex(0xFF0000), kBlue = typ::rgbFromHex(0x0000FF),
                   kOrange = typ::rgbFromHex(0xFF8000), kBlack = typ::rgbFromHex(0x000000);

// The two squares of the checkerboard below the swatches by day.
bool dayChecker(typ::Rgb c) {
    return c == typ::rgbFromHex(0xFFFFFF) || c == typ::rgbFromHex(0xE0E0E0);
}

struct Probe {
    int x, y;
    std::optional<typ::Rgb> colour; // none: the checkerboard shows
};

TEST(Swatch, EachKindIsDrawnAsADeviceDrawsItByDayAndNight) {
    const Sheet s = makeSheet(test::sampleTyp());
    const struct {
        const Row& row;
        Daytime time;
        Size size;
        std::vector<Probe> probes;
    } cases[] = {
        // A solid polygon fills the whole swatch.
        {s.polygons[1], Daytime::Day, {72, 40}, {{0, 0, kRed}, {36, 20, kRed}, {71, 39, kRed}}},
        // A line of width 4 along rows 10 to 13, its border of 2 on each side.
        {s.lines[0],
         Daytime::Day,
         {88, 24},
         {{44, 10, kOrange},
          {44, 13, kOrange},
          {44, 9, kBlack},
          {44, 14, kBlack},
          {44, 4, {}},
          {3, 11, {}}}},
        // The icon at its size (pixels 8-9 x 11-12) and twice it (18-21 x 10-13); its
        // transparent pixels show the checkerboard.
        {s.points[0],
         Daytime::Day,
         {30, 24},
         {{8, 11, kRed},
          {9, 12, kRed},
          {9, 11, {}},
          {19, 11, kRed},
          {20, 12, kRed},
          {21, 10, {}},
          {18, 13, {}}}},
        {s.points[0], Daytime::Night, {30, 24}, {{8, 11, kBlue}, {9, 11, kBlue}, {21, 10, kBlue}}},
    };
    for (const auto& c : cases) {
        const draw::Surface swatch = swatchSurface(s, c.row, c.time);
        EXPECT_EQ(cairo_image_surface_get_width(swatch.get()), c.size.width);
        EXPECT_EQ(cairo_image_surface_get_height(swatch.get()), c.size.height);
        for (const Probe& p : c.probes) {
            const typ::Rgb got = draw::pixelAt(swatch.get(), p.x, p.y);
            if (p.colour)
                EXPECT_EQ(got, *p.colour) << p.x << "," << p.y;
            else
                EXPECT_TRUE(dayChecker(got)) << p.x << "," << p.y;
        }
    }
}

TEST(Swatch, UnstyledTypesAreDrawnPlain) {
    MapUse use;
    use.kinds[2] = {{0x2A00, 1, 0}};
    const Sheet s = makeSheet(test::sampleTyp(), use);
    ASSERT_EQ(s.unstyled.size(), 1u);
    const draw::Surface swatch = swatchSurface(s, s.unstyled[0], Daytime::Day);
    EXPECT_EQ(draw::pixelAt(swatch.get(), 11, 15), draw::plainPoint({}).day.palette[1].rgb);
}

// The PNG read back: the first polygon's swatch by day and by night, below the title and heading.
TEST(SheetPicture, PngHoldsTheSwatchesInTheirColumns) {
    const auto png = sheetPicture(makeSheet(test::sampleTyp()), "Legend", PictureFormat::Png);
    ASSERT_TRUE(std::holds_alternative<std::string>(png));
    struct Reader {
        std::string_view bytes;
    } reader{std::get<std::string>(png)};
    const auto read = [](void* closure, unsigned char* data, unsigned int length) {
        auto* r = static_cast<Reader*>(closure);
        if (r->bytes.size() < length) return CAIRO_STATUS_READ_ERROR;
        std::copy_n(r->bytes.begin(), length, data);
        r->bytes.remove_prefix(length);
        return CAIRO_STATUS_SUCCESS;
    };
    const draw::Surface image(cairo_image_surface_create_from_png_stream(read, &reader));
    ASSERT_EQ(cairo_surface_status(image.get()), CAIRO_STATUS_SUCCESS);
    const typ::Rgb background = typ::rgbFromHex(0xFFFFE0);
    EXPECT_EQ(draw::pixelAt(image.get(), 16 + 36, 73 + 20), background);
    EXPECT_EQ(draw::pixelAt(image.get(), 16 + 88 + 12 + 36, 73 + 20), background);
    EXPECT_EQ(draw::pixelAt(image.get(), 5, 5), typ::rgbFromHex(0xFFFFFF));
}

TEST(SheetPicture, APngTooLargeToHoldIsRefusedAnSvgIsNot) {
    typ::TypFile t;
    typ::Point big;
    big.day = {255, 255, typ::ColourMode::Opaque, {{kRed, 0}}, std::vector<std::uint8_t>(255 * 255),
               {}};
    t.points.assign(70, big);
    const Sheet s = makeSheet(t);
    const auto png = sheetPicture(s, "Legend", PictureFormat::Png);
    ASSERT_TRUE(std::holds_alternative<TooLargeForPicture>(png));
    EXPECT_GT(std::get<TooLargeForPicture>(png).height, kMaxPictureSide);
    const auto svg = sheetPicture(makeSheet(test::sampleTyp()), "Legend", PictureFormat::Svg);
    EXPECT_TRUE(std::get<std::string>(svg).starts_with("<?xml"));
}

// The page holds its pictures and nothing it would load: its text is a golden file, the images'
// bytes left out.
TEST(SheetHtml, PageIsSelfContainedAndReadsAsItsGoldenText) {
    MapUse use;
    use.kinds[0] = {{0x0100, 7, 0}, {0x0300, 2, 0}};
    use.kinds[2] = {{0x2F06, 5, 0}};
    const std::string page = sheetHtml(makeSheet(test::sampleTyp(), use), "Legend of <sample>");
    EXPECT_EQ(page.find("<script"), std::string::npos);
    EXPECT_EQ(page.find("://"), std::string::npos);
    // Seven rows (four polygons, a line, a point, the map's unstyled polygon), two images each.
    const std::regex image("src=\"data:image/png;base64,[A-Za-z0-9+/]+=*\"");
    EXPECT_EQ(std::distance(std::sregex_iterator(page.begin(), page.end(), image), {}), 14);
    const std::regex source("src=");
    EXPECT_EQ(std::distance(std::sregex_iterator(page.begin(), page.end(), source), {}), 14);
    kestrel::test::expectGoldenFile("legend_sample.html",
                                    std::regex_replace(page, image, "src=\"data:image/png\""));
}

} // namespace
} // namespace kestrel::legend
