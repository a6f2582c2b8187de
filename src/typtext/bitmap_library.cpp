// Turns the bitmap art into the quoted rows of the TYP text, draws the type-number bitmap and
// reads the icon files.
#include "typtext/bitmap_library.h"

#include "base/files.h"
#include "base/paths.h"
#include "base/text.h"
#include "typtext/bitmap_art.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <vector>

namespace kestrel {

namespace {

constexpr int kGrid = 32;       // the type-number bitmap is kGrid x kGrid
constexpr int kGlyph = 10;      // glyphs are kGlyph x kGlyph
constexpr int kGlyphColumn = 6; // left column of the first digit
constexpr int kDigitStep = 12;  // offset of the second column and the second row of digits
constexpr int kMaxDigits = 4;   // two rows of two
// An icon file is a few hundred bytes; anything larger is not an icon.
constexpr std::uint64_t kIconFileLimit = 1 << 20;

// Appends in place: the writers call this for thousands of rows per text.
void appendQuotedRow(std::string& out, std::string_view row) {
    out += '"';
    out += row;
    out += '"';
    out += kCrLf;
}

template <std::size_t N> std::string quotedRows(const std::array<std::string_view, N>& rows) {
    std::string s;
    s.reserve(N * (rows[0].size() + 4));
    for (std::string_view r : rows) appendQuotedRow(s, r);
    return s;
}

const GlyphRows& glyph(int value, bool odd) {
    if (value == 1 && odd) return kDigitOneOdd;
    return kDigitGlyphs[static_cast<std::size_t>(value)];
}

// Value of a hexadecimal digit as the type-number bitmap reads it: -1 for anything else.
int digitValue(char ch) {
    if (ch >= '0' && ch <= '9') return ch - '0';
    if (ch >= 'A' && ch <= 'F') return ch - 55;
    return -1;
}

} // namespace

const std::string& bmpstripes(int index) {
    // Quoted once: every unknown polygon type of a text takes one of these.
    static const std::array<std::string, kStripeArt.size() + 1> stripes = [] {
        std::array<std::string, kStripeArt.size() + 1> s;
        for (std::size_t i = 0; i < kStripeArt.size(); ++i) s[i] = quotedRows(kStripeArt[i]);
        return s; // the last one stays empty, for indexes out of range
    }();
    if (index < 0 || index >= static_cast<int>(kStripeArt.size())) return stripes.back();
    return stripes[static_cast<std::size_t>(index)];
}

const PolygonPicture& polygonPicture(int n) {
    static const std::array<PolygonPicture, 9> pictures = [] {
        std::array<PolygonPicture, 9> p;
        for (std::size_t i = 0; i < p.size(); ++i) {
            p[i].colour0 = std::string(kPictureArt[i].colour0);
            p[i].colour1 = std::string(kPictureArt[i].colour1);
            p[i].rows = quotedRows(kPictureArt[i].rows);
        }
        return p;
    }();
    // Out-of-range numbers get the plain picture 9 rather than reading past the table.
    if (n < 1 || n > static_cast<int>(pictures.size())) n = static_cast<int>(pictures.size());
    return pictures[static_cast<std::size_t>(n - 1)];
}

std::string get_number2(int value, bool odd) {
    if (value < 0 || value > 15) return {};
    std::vector<std::string> rows;
    for (std::string_view r : glyph(value, odd)) rows.emplace_back(r);
    return join(rows, kCrLf);
}

std::string get_bmp2(std::string_view digits) {
    std::string d = ucase(digits);
    const bool extended = d.size() == 5;
    if (extended)
        d.erase(0, 1);
    else if (endsWith(d, "00"))
        d.erase(d.size() - 2);

    // The rows are drawn straight into the text: each is a quote, 32 cells, a quote and CR LF.
    constexpr std::size_t kRowBytes = kGrid + 4;
    std::string out(kGrid * kRowBytes, '0');
    for (std::size_t r = 0; r < kGrid; ++r) {
        char* row = &out[r * kRowBytes];
        row[0] = '"';
        row[kGrid + 1] = '"';
        row[kGrid + 2] = '\r';
        row[kGrid + 3] = '\n';
    }
    const auto cell = [&out](int r, int c) -> char& {
        return out[static_cast<std::size_t>(r) * kRowBytes + 1 + static_cast<std::size_t>(c)];
    };

    // More than four digits cannot occur for a real type; they would only overdraw the others.
    const int count = std::min(static_cast<int>(d.size()), kMaxDigits);
    for (int i = 1; i <= count; ++i) {
        const int value = digitValue(d[static_cast<std::size_t>(i - 1)]);
        if (value < 0) continue; // not a digit: leave its place empty
        const GlyphRows& g = glyph(value, i % 2 == 1);
        const int top = i >= 3 ? kDigitStep : 0;
        const int left = kGlyphColumn + (i % 2 == 0 ? kDigitStep : 0);
        for (int r = 0; r < kGlyph; ++r)
            std::memcpy(&cell(top + r, left), g[static_cast<std::size_t>(r)].data(), kGlyph);
    }

    // A line along the top and the left edge; the corner and the last cell stay empty.
    for (int k = 1; k <= kGrid - 2; ++k) {
        cell(0, k) = '1';
        cell(k, 0) = '1';
    }

    // A bar in front of the digits stands for the leading 1 that an extended type drops.
    if (extended) {
        const int o = !d.empty() && d[0] == '1' ? 3 : 0;
        for (int r = 6; r <= 15; ++r) {
            cell(r, o + 3) = '1';
            cell(r, o + 4) = '1';
        }
    }
    return out;
}

std::string bmp(const std::string& syspath, int n) {
    const std::string path = joinPath(joinPath(syspath, "bmps"), std::to_string(n) + ".txt");
    const std::optional<std::string> text = readFile(path, kIconFileLimit);
    if (!text || text->empty()) return {};
    std::string out;
    out.reserve(text->size() + 64);
    for (std::string& line : split(*text, kCrLf)) {
        if (!endsWith(line, "\"")) line += '"';
        out += line;
        out += kCrLf;
    }
    return out;
}

} // namespace kestrel
