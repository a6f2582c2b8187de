#include "typtext/bitmap_library.h"

#include "base/text.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace kestrel {
namespace {

// The rows of a bitmap text, unquoted; fails the test when a row is not `"..."` + CR LF.
std::vector<std::string> rowsOf(const std::string& quoted) {
    std::vector<std::string> rows;
    EXPECT_TRUE(endsWith(quoted, "\r\n"));
    std::vector<std::string> lines = split(quoted, "\r\n");
    EXPECT_EQ(lines.back(), "");
    lines.pop_back();
    for (const std::string& l : lines) {
        EXPECT_GE(l.size(), 2u);
        EXPECT_EQ(l.front(), '"') << l;
        EXPECT_EQ(l.back(), '"') << l;
        rows.push_back(l.size() >= 2 ? l.substr(1, l.size() - 2) : l);
    }
    return rows;
}

void expectSquareOfBits(const std::vector<std::string>& rows, std::size_t size) {
    ASSERT_EQ(rows.size(), size);
    for (const std::string& r : rows) {
        EXPECT_EQ(r.size(), size) << r;
        EXPECT_EQ(r.find_first_not_of("01"), std::string::npos) << r;
    }
}

using Grid = std::vector<std::string>;

// The type-number bitmap drawn by hand: the glyphs in reading order (odd places take the second
// form of 1), the two edge lines and, when barColumn is above 0, the bar of an extended type.
Grid numberBitmap(const std::vector<int>& values, int barColumn = 0) {
    Grid g(32, std::string(32, '0'));
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::vector<std::string> glyph = split(get_number2(values[i], i % 2 == 0), "\r\n");
        const int top = i >= 2 ? 12 : 0;
        const int left = i % 2 == 0 ? 6 : 18;
        for (int r = 0; r < 10; ++r)
            for (int c = 0; c < 10; ++c) g[top + r][left + c] = glyph[r][c];
    }
    for (int k = 1; k <= 30; ++k) g[0][k] = g[k][0] = '1';
    if (barColumn > 0)
        for (int r = 6; r <= 15; ++r) g[r][barColumn] = g[r][barColumn + 1] = '1';
    return g;
}

TEST(BmpStripes, EveryStripeIs32QuotedRowsOf32Bits) {
    for (int i = 0; i <= 8; ++i) {
        SCOPED_TRACE(i);
        expectSquareOfBits(rowsOf(bmpstripes(i)), 32);
    }
}

TEST(BmpStripes, NineStripesAllDiffer) {
    std::set<std::string> seen;
    for (int i = 0; i <= 8; ++i) seen.insert(bmpstripes(i));
    EXPECT_EQ(seen.size(), 9u);
}

TEST(BmpStripes, IndexThreeRepeatsOneRowOfVerticalStripes) {
    const std::vector<std::string> rows = rowsOf(bmpstripes(3));
    ASSERT_EQ(rows.size(), 32u);
    for (const std::string& r : rows) EXPECT_EQ(r, "11000000110000001100000011000000");
}

TEST(BmpStripes, DiagonalStripesStartWithTheirFirstRows) {
    const std::vector<std::string> s0 = rowsOf(bmpstripes(0));
    EXPECT_EQ(s0[0], "11000000110000001100000011000000");
    EXPECT_EQ(s0[1], "01100000011000000110000001100000");
    EXPECT_EQ(s0[2], "00110000001100000011000000110000");
    const std::vector<std::string> s1 = rowsOf(bmpstripes(1));
    EXPECT_EQ(s1[0], "11111100111111001111110011111110");
    EXPECT_EQ(s1[1], "11111001111110011111100111111100");
}

TEST(BmpStripes, BandsTrianglesAndBricksFollowTheirRules) {
    const std::vector<std::string> bands = rowsOf(bmpstripes(2));
    const std::set<int> full = {0, 1, 6, 7, 8, 9, 16, 17, 18, 19, 24, 25, 26};
    for (int r = 0; r < 32; ++r)
        EXPECT_EQ(bands[r], std::string(32, full.count(r) ? '1' : '0')) << r;

    const std::vector<std::string> motif = {
        "00000001100000000000000110000000", "00000011110000000000001111000000",
        "00000111111000000000011111100000", "00001111111100000000111111110000",
        "00011111111110000001111111111000", "00111111111111000011111111111100",
        "01111111111111100111111111111110", std::string(32, '1')};
    const std::vector<std::string> triangles = rowsOf(bmpstripes(4));
    for (int r = 0; r < 32; ++r) EXPECT_EQ(triangles[r], motif[r % 8]) << r;

    const std::vector<std::string> bricks = rowsOf(bmpstripes(6));
    for (int r = 0; r < 32; ++r) {
        const int m = r % 7;
        const std::string want = (m == 0 || m == 3)   ? std::string(32, '1')
                                 : (m == 1 || m == 2) ? "00000100000001000000010000000100"
                                                      : "00100000001000000010000000100000";
        EXPECT_EQ(bricks[r], want) << r;
    }
}

TEST(BmpStripes, RingsShapesAndFrameRepeatTheirMotifs) {
    const std::vector<std::string> rings = rowsOf(bmpstripes(5));
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(rings[r], std::string(32, '0'));
        EXPECT_EQ(rings[13 + r], std::string(32, '0'));
    }
    EXPECT_EQ(rings[3], "00001111100000000001111100000000");
    for (int r = 0; r < 16; ++r) EXPECT_EQ(rings[r], rings[r + 16]) << r;

    const std::vector<std::string> shapes = rowsOf(bmpstripes(7));
    EXPECT_EQ(shapes[0], std::string(32, '0'));
    EXPECT_EQ(shapes[1], "00000011110000000000001111000000");
    for (int r = 0; r < 16; ++r) EXPECT_EQ(shapes[r], shapes[r + 16]) << r;

    const std::vector<std::string> frame = rowsOf(bmpstripes(8));
    EXPECT_EQ(frame[0], std::string(32, '0'));
    EXPECT_EQ(frame[1], "01111111111111111111111111111110");
    EXPECT_EQ(frame[2], "01111100111111111111111111111110");
    for (const std::string& r : frame) {
        EXPECT_EQ(r.front(), '0');
        EXPECT_EQ(r.back(), '0');
    }
}

TEST(BmpStripes, IndexOutsideTheNineGivesNoRows) {
    EXPECT_EQ(bmpstripes(-1), "");
    EXPECT_EQ(bmpstripes(9), "");
}

TEST(PolygonPicture, EachPictureHasItsColoursAndTellingRows) {
    struct Want {
        int n;
        const char* colour0;
        const char* colour1;
        std::vector<std::string> rows;
    };
    const std::vector<Want> wants = {
        {1, "0 c #3F3F3F", "1 c #BFFF80", {"11111100011111111111111111111111"}},
        {2, "0 c #A9FF5B", "1 c #4F4F4F", {}},
        {3, "0 c #FFFFFF", "1 c #0080C0", {}},
        {4,
         "0 c #39956A",
         "1 c #7BFF8B",
         {"11111110011111111111111111111111", "11111000000111111111111111111111"}},
        {5,
         "0 c #FFFFFF",
         "1 c #008000",
         {"10001000100010001000100010001000", "00100010001000100010001000100010"}},
        {6, "0 c #39956A", "1 c #7BFF8B", {"01101101101101101101101101101101"}},
        {7,
         "0 c #FF8080",
         "1 c #F0F0D8",
         {"11111111110001111000111111111111", "11111111110000000000111111111111"}},
        {8,
         "0 c #EBFE67",
         "1 c #0000FF",
         {"00000000000111111110000000000000", "00000000000111000111110000000000"}},
    };
    for (const Want& w : wants) {
        SCOPED_TRACE(w.n);
        const PolygonPicture& p = polygonPicture(w.n);
        EXPECT_EQ(p.colour0, w.colour0);
        EXPECT_EQ(p.colour1, w.colour1);
        const std::vector<std::string> rows = rowsOf(p.rows);
        expectSquareOfBits(rows, 32);
        for (const std::string& telling : w.rows)
            EXPECT_NE(std::find(rows.begin(), rows.end(), telling), rows.end()) << telling;
        // A picture, not a plain fill: both colours are used.
        EXPECT_NE(p.rows.find('0'), std::string::npos);
        EXPECT_NE(p.rows.find('1', 1), std::string::npos);
    }
}

TEST(PolygonPicture, PairsOfRowsAreSeparatedByEmptyRows) {
    const std::vector<std::string> rows = rowsOf(polygonPicture(6).rows);
    int pattern = 0;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (rows[r] == std::string(32, '0')) {
            EXPECT_TRUE(pattern == 0 || pattern == 2) << r;
            pattern = 0;
        } else {
            EXPECT_EQ(rows[r], "01101101101101101101101101101101");
            ++pattern;
        }
    }
}

TEST(PolygonPicture, PictureNineIsPlainWithoutColourLines) {
    const PolygonPicture& p = polygonPicture(9);
    EXPECT_EQ(p.colour0, "");
    EXPECT_EQ(p.colour1, "");
    const std::vector<std::string> rows = rowsOf(p.rows);
    ASSERT_EQ(rows.size(), 32u);
    for (const std::string& r : rows) EXPECT_EQ(r, std::string(32, '0'));
}

TEST(PolygonPicture, EightPicturesAllDifferAndOutOfRangeIsPlain) {
    std::set<std::string> seen;
    for (int n = 1; n <= 9; ++n) seen.insert(polygonPicture(n).rows);
    EXPECT_EQ(seen.size(), 9u);
    EXPECT_EQ(&polygonPicture(0), &polygonPicture(9));
    EXPECT_EQ(&polygonPicture(10), &polygonPicture(9));
}

TEST(GetNumber2, GlyphsAreTenRowsOfTenJoinedByCrLf) {
    std::set<std::string> seen;
    for (int v = 0; v <= 15; ++v) {
        SCOPED_TRACE(v);
        const std::string g = get_number2(v, false);
        EXPECT_FALSE(endsWith(g, "\r\n"));
        const std::vector<std::string> rows = split(g, "\r\n");
        expectSquareOfBits(rows, 10);
        seen.insert(g);
    }
    EXPECT_EQ(seen.size(), 16u);
}

TEST(GetNumber2, ZeroAndBothFormsOfOneAreExact) {
    EXPECT_EQ(get_number2(0, false),
              join({"0011111100", "1111111111", "1100000011", "1100000011", "1100000011",
                    "1100000011", "1100000011", "1100000011", "1111111111", "0011111100"},
                   "\r\n"));
    EXPECT_EQ(get_number2(0, true), get_number2(0, false));
    EXPECT_EQ(get_number2(1, false), join(std::vector<std::string>(10, "0011000000"), "\r\n"));
    EXPECT_EQ(get_number2(1, true), join(std::vector<std::string>(10, "0000001100"), "\r\n"));
    EXPECT_EQ(get_number2(10, true), get_number2(10, false));
}

TEST(GetNumber2, ValueOutsideZeroToFifteenGivesNothing) {
    EXPECT_EQ(get_number2(-1, false), "");
    EXPECT_EQ(get_number2(16, true), "");
}

TEST(GetBmp2, StandardTypeDrawsTwoDigitsSideBySideAndTheEdges) {
    const std::vector<std::string> rows = rowsOf(get_bmp2("4a00"));
    EXPECT_EQ(rows, numberBitmap({4, 10}));
    EXPECT_EQ(get_bmp2("4A00"), get_bmp2("4a00"));
    // The corner and the last cells of the edge lines stay empty; nothing below the first row of
    // digits.
    EXPECT_EQ(rows[0][0], '0');
    EXPECT_EQ(rows[0][31], '0');
    EXPECT_EQ(rows[31][0], '0');
    for (int r = 12; r < 32; ++r) EXPECT_EQ(rows[r].substr(1), std::string(31, '0')) << r;
}

TEST(GetBmp2, ExtendedTypeDrawsFourDigitsAndTheBarForTheLeadingOne) {
    EXPECT_EQ(rowsOf(get_bmp2("10d01")), numberBitmap({0, 13, 0, 1}, 3));
}

TEST(GetBmp2, ExtendedTypeStartingWithOneMovesTheBarRight) {
    EXPECT_EQ(rowsOf(get_bmp2("11002")), numberBitmap({1, 0, 0, 2}, 6));
}

TEST(GetBmp2, FourDigitsWithSubtypeKeepAllFour) {
    EXPECT_EQ(rowsOf(get_bmp2("2f0c")), numberBitmap({2, 15, 0, 12}));
}

TEST(GetBmp2, OddInputDrawsOnlyEdgesForWhatIsNotADigit) {
    EXPECT_EQ(rowsOf(get_bmp2("")), numberBitmap({}));
    EXPECT_EQ(rowsOf(get_bmp2("00")), numberBitmap({}));
    EXPECT_EQ(rowsOf(get_bmp2("zz")), numberBitmap({}));
    // More than four digits never overdraw the four places.
    EXPECT_EQ(rowsOf(get_bmp2("123456")), numberBitmap({1, 2, 3, 4}));
}

TEST(Bmp, ClosesEveryLineWithAQuoteAndEndsEachWithCrLf) {
    test::TempDir dir;
    dir.write("bmps/7.txt", "Xpm=\"2 1 2 1\"\r\n\"a c #FF0000\r\n\"b c none\"\r\n\"ab");
    EXPECT_EQ(bmp(dir.path(), 7),
              "Xpm=\"2 1 2 1\"\r\n\"a c #FF0000\"\r\n\"b c none\"\r\n\"ab\"\r\n");
}

TEST(Bmp, LastEmptyLineBecomesARowOfASingleQuote) {
    test::TempDir dir;
    dir.write("bmps/3.txt", "\"ab\"\r\n");
    EXPECT_EQ(bmp(dir.path(), 3), "\"ab\"\r\n\"\r\n");
}

TEST(Bmp, MissingOrEmptyFileGivesNothing) {
    test::TempDir dir;
    EXPECT_EQ(bmp(dir.path(), 1), "");
    dir.write("bmps/2.txt", "");
    EXPECT_EQ(bmp(dir.path(), 2), "");
}

TEST(Bmp, OversizedFileIsNotAnIcon) {
    test::TempDir dir;
    dir.write("bmps/4.txt", std::string((1 << 20) + 1, 'a'));
    EXPECT_EQ(bmp(dir.path(), 4), "");
}

} // namespace
} // namespace kestrel
