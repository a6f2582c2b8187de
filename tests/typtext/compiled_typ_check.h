#pragma once
// Compiles a TYP text with mkgmap and checks that it compiles without a warning and that the
// binary carries what the text states: the family, the code page, every type, the polygon colours
// and bitmaps, the point icon sizes, the polygon draw order; and that kestrel compiles it into the
// same bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>

#include "base/text.h"
#include "mapread/type_inventory.h"
#include "support/typ_test_reader.h"
#include "typfile/binary_reader.h"
#include "typfile/text_compile.h"
#include "typtext/mkgmap_runner.h"
#include "typtext/typ_text_support.h"

namespace kestrel::test {

inline std::string colourOf(const std::string& colourLine) { // "\"0 c #a0b1c2\"" -> "A0B1C2"
    return ucase(colourLine.substr(6, 6));
}

// The type a "Type=" code is compiled under: a bare type has subtype 0 ("0x06" is 0x0600).
inline std::uint32_t typeValue(std::string_view code) {
    const auto v = static_cast<std::uint32_t>(hexValue(code.substr(code.find('x') + 1)));
    return v < 0x100 ? v << 8 : v;
}

// Compares the compiled records with the blocks of the text.
// The label text of a block's String1 line, as the compiler stores it (8-bit, in the text's
// code page).
inline std::string labelOf(const Chunk& block) {
    return valueOf(block, "String1").substr(4);
}

inline void expectCarriesTheText(const std::string& text, const TypProbe& typ) {
    const auto polygons = blocksOf(text, "[_polygon]");
    ASSERT_EQ(typ.records[kPolygons].size(), polygons.size());
    for (const auto& b : polygons) {
        const std::string type = valueOf(b, "Type");
        const TypRecord* r = typ.find(kPolygons, typeValue(type));
        ASSERT_NE(r, nullptr) << type;
        EXPECT_TRUE(contains(r->bytes, labelOf(b))) << type;
        const auto fill = fillOf(b);
        const int ctyp = static_cast<std::uint8_t>(r->bytes[0]) & 0x0F;
        if (valueOf(b, "Xpm") == "\"0 0 1 0\"") {
            EXPECT_EQ(ctyp, 6) << type;
            EXPECT_EQ(colourAt(TypBytes(r->bytes), 1), colourOf(fill[0])) << type;
        } else {
            EXPECT_EQ(ctyp, 8) << type;
            EXPECT_EQ(colourAt(TypBytes(r->bytes), 1), colourOf(fill[0])) << type;
            EXPECT_EQ(colourAt(TypBytes(r->bytes), 4), colourOf(fill[1])) << type;
            // The 32 x 32 bitmap: one bit per pixel, rows of four bytes, "0" pixels set.
            ASSERT_GE(r->bytes.size(), 7u + 128u);
            for (std::size_t row = 0; row < 32; ++row)
                for (std::size_t col = 0; col < 32; ++col) {
                    const auto byte = static_cast<std::uint8_t>(r->bytes[7 + row * 4 + col / 8]);
                    const char pixel = ((byte >> (col % 8)) & 1) ? '0' : '1';
                    ASSERT_EQ(pixel, fill[2 + row][1 + col]) << type << " row " << row;
                }
        }
    }
    const auto lines = blocksOf(text, "[_line]");
    ASSERT_EQ(typ.records[kLines].size(), lines.size());
    for (const auto& b : lines) EXPECT_NE(typ.find(kLines, typeValue(valueOf(b, "Type"))), nullptr);
    const auto points = blocksOf(text, "[_point]");
    ASSERT_EQ(typ.records[kPois].size(), points.size());
    for (const auto& b : points) {
        const std::string type = valueOf(b, "Type");
        const TypRecord* r = typ.find(kPois, typeValue(type));
        ASSERT_NE(r, nullptr) << type;
        EXPECT_TRUE(contains(r->bytes, labelOf(b))) << type;
        std::istringstream header(valueOf(b, "Xpm").substr(1));
        int w = 0, h = 0;
        header >> w >> h;
        EXPECT_EQ(static_cast<std::uint8_t>(r->bytes[1]), w) << type;
        EXPECT_EQ(static_cast<std::uint8_t>(r->bytes[2]), h) << type;
    }
}

// The identification value of the text ("FID", "CodePage").
inline std::string idValue(const std::string& text, const std::string& key) {
    const auto at = text.find("\r\n" + key + "=");
    if (at == std::string::npos) return {};
    const auto from = at + key.size() + 3;
    return text.substr(from, text.find("\r\n", from) - from);
}

using DrawLevels = std::vector<std::vector<std::uint32_t>>;

// The draw order a text states, lowest level first, each level's types sorted.
inline DrawLevels statedDrawOrder(const std::string& text) {
    std::map<long, std::vector<std::uint32_t>> byLevel;
    bool in = false;
    for (const auto& line : split(text, "\r\n")) {
        if (line == "[_drawOrder]" || line == "[End]") {
            in = line == "[_drawOrder]";
        } else if (in && startsWith(line, "Type=")) {
            const auto comma = line.find(',');
            const auto type = typeValue(line.substr(5, comma - 5));
            byLevel[std::stol(line.substr(comma + 1))].push_back(type);
        }
    }
    DrawLevels out;
    for (auto& [level, types] : byLevel) out.push_back(std::move(types));
    return out;
}

inline DrawLevels sortedLevels(DrawLevels levels) {
    for (auto& types : levels) std::sort(types.begin(), types.end());
    return levels;
}

// The compiled draw order is the stated one, and a listed background is alone below the rest.
inline void expectDrawOrderAsWritten(const std::string& text, const std::string& typ) {
    const DrawLevels levels = drawOrderLevels(TypBytes(typ));
    EXPECT_EQ(sortedLevels(levels), sortedLevels(statedDrawOrder(text)));
    for (std::size_t i = 0; i < levels.size(); ++i) {
        const bool background = std::count(levels[i].begin(), levels[i].end(), 0x4B00u) != 0;
        EXPECT_TRUE(!background || (i == 0 && levels[i].size() == 1)) << "background on " << i;
    }
}

inline void expectCompilesAsWritten(const std::string& text) {
    const std::string codepage = idValue(text, "CodePage");
    const int fid = std::stoi(idValue(text, "FID"));
    const Compiled c = compileWithMkgmap(text, codepage, fid);
    ASSERT_EQ(c.status, 0) << c.log;
    EXPECT_EQ(mkgmapProblems(c.log), "");
    const auto typ = probeTyp(c.typ);
    ASSERT_TRUE(typ);
    EXPECT_EQ(typ->fid, fid);
    EXPECT_EQ(typ->codepage, std::stoi(codepage));
    expectCarriesTheText(text, *typ);
    expectDrawOrderAsWritten(text, c.typ);
    // kestrel's own compiler makes the same file (mkgmap's date given).
    const typ::CompiledText ours =
        typ::compileText(text, {std::nullopt, 1, std::nullopt}, typ::readBinary(c.typ).created);
    EXPECT_EQ(ours.bytes, c.typ);
}

} // namespace kestrel::test
