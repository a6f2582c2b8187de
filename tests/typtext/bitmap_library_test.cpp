#include "typtext/bitmap_library.h"

#include <gtest/gtest.h>

#include <string>

#include "base/text.h"
#include "support/golden_file.h"
#include "support/temp_dir.h"

namespace kestrel {
namespace {

// Every stripe, picture and glyph, and the type-number bitmaps of standard, extended and odd
// codes, as one text compared with typtext/bitmaps.txt.
TEST(BitmapLibrary, ArtIsTheGoldenFile) {
    std::string art;
    const auto add = [&art](const std::string& title, const std::string& rows) {
        art += concat({"== ", title, "\r\n", rows, "\r\n"});
    };
    for (int i = -1; i <= 9; ++i) add("bmpstripes " + std::to_string(i), bmpstripes(i));
    for (int n = 0; n <= 10; ++n) {
        const PolygonPicture& p = polygonPicture(n);
        add(concat({"polygonPicture ", std::to_string(n), " [", p.colour0, "] [", p.colour1, "]"}),
            p.rows);
    }
    for (int v = -1; v <= 16; ++v)
        for (const bool odd : {false, true})
            add(concat({"get_number2 ", std::to_string(v), odd ? " odd" : " even"}),
                get_number2(v, odd));
    for (const char* digits : {"4a00", "4A00", "10d01", "11002", "2f0c", "", "00", "zz", "123456"})
        add(concat({"get_bmp2 \"", digits, "\""}), get_bmp2(digits));
    test::expectGoldenFile("typtext/bitmaps.txt", art);
}

TEST(Bmp, IconFilesAreQuotedLineByLineOrGiveNothing) {
    test::TempDir dir;
    dir.write("bmps/7.txt", "Xpm=\"2 1 2 1\"\r\n\"a c #FF0000\r\n\"b c none\"\r\n\"ab");
    EXPECT_EQ(bmp(dir.path(), 7),
              "Xpm=\"2 1 2 1\"\r\n\"a c #FF0000\"\r\n\"b c none\"\r\n\"ab\"\r\n");
    // A last empty line becomes a row of a single quote.
    dir.write("bmps/3.txt", "\"ab\"\r\n");
    EXPECT_EQ(bmp(dir.path(), 3), "\"ab\"\r\n\"\r\n");
    dir.write("bmps/2.txt", "");
    dir.write("bmps/4.txt", std::string((1 << 20) + 1, 'a'));
    for (const int missingEmptyOrTooLarge : {1, 2, 4})
        EXPECT_EQ(bmp(dir.path(), missingEmptyOrTooLarge), "") << missingEmptyOrTooLarge;
}

} // namespace
} // namespace kestrel
