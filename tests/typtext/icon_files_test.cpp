// The icon files that ship in the data folder, read through the bitmap library, and the whole
// library compiled by mkgmap, the compiler users feed our TYP texts to.
#include "typtext/bitmap_library.h"
#include "xpm_fill/xpm_fill.h"

#include "base/files.h"
#include "base/text.h"
#include "typtext/compiled_typ_check.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace kestrel {
namespace {

const std::string kSystem = std::string(KESTREL_BIN_DIR) + "/system";
constexpr int kIconCount = 41;

// Quoted CR LF lines without a trailing line end, which would come back from bmp() as one more
// row; 16 by 16 pixels of at most 8 colours, the corners transparent: a badge, not a square.
TEST(ShippedIcons, EveryIconFileIsAWellFormedFillWithATransparentBackground) {
    std::set<std::string> seen;
    for (int n = 1; n <= kIconCount; ++n) {
        SCOPED_TRACE(n);
        const std::optional<std::string> raw =
            readFile(kSystem + "/bmps/" + std::to_string(n) + ".txt");
        ASSERT_TRUE(raw) << "missing " << kSystem << "/bmps/" << n << ".txt";
        EXPECT_FALSE(endsWith(*raw, "\n"));
        for (const std::string& line : split(*raw, "\r\n")) {
            EXPECT_EQ(line.find('\n'), std::string::npos);
            EXPECT_TRUE(endsWith(line, "\"")) << line;
        }
        const std::string text = bmp(kSystem, n);
        EXPECT_EQ(text, *raw + "\r\n");
        const XpmReadResult r = readXpmFill(text);
        ASSERT_TRUE(r.fill) << r.error;
        EXPECT_EQ(r.fill->width, 16);
        EXPECT_EQ(r.fill->height, 16);
        EXPECT_LE(r.fill->colours.size(), 8u);
        const XpmColour* corner = r.fill->colour(r.fill->rows[0][0]);
        ASSERT_NE(corner, nullptr);
        EXPECT_FALSE(corner->rgb);
        seen.insert(text);
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(kIconCount));
}

// A TYP text that holds every stripe, picture and a few type-number bitmaps as polygons and every
// icon as a point.
std::string libraryTypText() {
    std::string t = "[_id]\r\nProductCode=1\r\nFID=1212\r\nCodePage=1252\r\n[End]\r\n\r\n";
    auto polygon = [&t](int type, const std::string& c0, const std::string& c1,
                        const std::string& rows) {
        t += "[_polygon]\r\nType=0x" + hex(type) + "\r\nString1=0x0,p" + hex(type) +
             "\r\nExtendedLabels=N\r\nCustomColor=No\r\nXpm=\"32 32 2 1\"\r\n\"" + c0 + "\"\r\n\"" +
             c1 + "\"\r\n" + rows + "[end]\r\n";
    };
    for (int i = 0; i <= 8; ++i) polygon(0x01 + i, "0 c #DCA3A3", "1 c #303060", bmpstripes(i));
    for (int n = 1; n <= 8; ++n) {
        const PolygonPicture& p = polygonPicture(n);
        polygon(0x10 + n, p.colour0, p.colour1, p.rows);
    }
    polygon(0x20, "0 c #FFFFD5", "1 c #000000", get_bmp2("4a00"));
    polygon(0x21, "0 c #FFFF00", "1 c #000000", get_bmp2("10d01"));
    for (int n = 1; n <= kIconCount; ++n)
        t += "[_point]\r\nType=0x" + hex(0x2a + n / 8) + pad2(hex(n % 8)) +
             "\r\nString1=0x0,icon " + std::to_string(n) + "\r\nExtendedLabels=N\r\n" +
             bmp(kSystem, n) + "[end]\r\n";
    return t;
}

// The compiled binary carries every colour, bitmap and icon size the text states.
TEST(BitmapLibraryWithMkgmap, EveryBitmapAndIconCompilesWithoutAWarning) {
    if (!test::mkgmapAvailable()) GTEST_SKIP() << "no mkgmap";
    test::expectCompilesAsWritten(libraryTypText());
}

} // namespace
} // namespace kestrel
