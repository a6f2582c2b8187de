// The binary reader: what mkgmap's files of the texts in tests/data/typ decode to, files of other
// tools, and damaged files (notes with their offsets, the rest still read).
#include "typfile/binary_reader.h"

#include <gtest/gtest.h>

#include <functional>

#include "typfile/binary_writer.h"
#include "typfile/typ_header.h"
#include "typfile/typ_samples.h"

namespace kestrel::typ {
namespace {

TypFile readData(const std::string& name) {
    const BinaryRead r = readBinary(test::typDataFile(name));
    EXPECT_FALSE(r.refusal) << name;
    EXPECT_TRUE(r.notes.empty()) << name;
    return r.typ;
}

template <typename T> const T& element(const std::vector<T>& list, std::uint32_t code) {
    for (const T& e : list)
        if (e.code.value() == code) return e;
    ADD_FAILURE() << "no element " << std::hex << code;
    static const T none{};
    return none;
}

constexpr Rgb rgb(std::uint32_t v) {
    return rgbFromHex(v);
}

TEST(TypBinaryReader, PolygonsDecodeToTheirTexts) {
    const TypFile t = readData("polygons.typ");
    EXPECT_EQ(t.identity, (Identity{3121, 7, 1252}));
    const Polygon& city = element(t.polygons, 0x0100);
    EXPECT_EQ(city.labelling.labels, (std::vector<Label>{{4, "Stadt"}, {1, "Ville"}, {0, "City"}}));
    EXPECT_EQ(city.day, (ColourPair{rgb(0xFF0000), std::nullopt}));
    EXPECT_FALSE(city.night);
    EXPECT_FALSE(city.pattern);
    // "32 32 4 1" with a transparent day background.
    const Polygon& p6 = element(t.polygons, 0x0600);
    EXPECT_EQ(p6.day, (ColourPair{rgb(0xA000A0), std::nullopt}));
    EXPECT_EQ(p6.night, (ColourPair{rgb(0x500050), rgb(0xFFE0FF)}));
    ASSERT_TRUE(p6.pattern);
    EXPECT_EQ(p6.pattern->pixels[0], 1);   // x 0, y 0: the colour
    EXPECT_EQ(p6.pattern->pixels[4], 0);   // x 4, y 0: the background
    EXPECT_EQ(p6.pattern->pixels[164], 1); // x 4, y 5
    const Polygon& p5 = element(t.polygons, 0x0500);
    EXPECT_EQ(p5.labelling.font, FontStyle::NoLabel);
    EXPECT_EQ(p5.labelling.dayColour, rgb(0x010203));
    EXPECT_EQ(p5.labelling.nightColour, rgb(0xF0E0D0));
    EXPECT_EQ(element(t.polygons, 0x10F04).labelling.labels,
              (std::vector<Label>{{4, "Erweitert"}}));
    // Level 0 comes after an empty first level; levels 1, 3, 7, 9, 12 close up.
    const auto& levels = t.drawOrder.levels;
    ASSERT_EQ(levels.size(), 7u);
    EXPECT_TRUE(levels[0].empty());
    EXPECT_EQ(levels[1], (std::vector<DrawOrderEntry>{{0x4A, 0}}));
    EXPECT_EQ(levels[3], (std::vector<DrawOrderEntry>{{0x02, 0}, {0x0F, 0x12}}));
    EXPECT_EQ(levels[4], (std::vector<DrawOrderEntry>{{0x03, 0}, {0x0E, 0x01}}));
}

TEST(TypBinaryReader, LinesDecodeToTheirTexts) {
    const TypFile t = readData("lines.typ");
    const Line& bordered = element(t.lines, 0x0300);
    EXPECT_EQ(bordered.day, (ColourPair{rgb(0xFFFF00), rgb(0x000000)}));
    EXPECT_EQ(bordered.lineWidth, 2);
    EXPECT_EQ(bordered.borderWidth, 1);
    EXPECT_EQ(bordered.labelling.font, FontStyle::Normal);
    EXPECT_TRUE(element(t.lines, 0x0100).useOrientation);
    EXPECT_FALSE(element(t.lines, 0x0200).useOrientation);
    EXPECT_EQ(element(t.lines, 0x0200).labelling.labels, (std::vector<Label>{{4, "Hauptstraße"}}));
    const Line& five = element(t.lines, 0x0900);
    ASSERT_TRUE(five.pattern);
    EXPECT_EQ(five.pattern->rows, 5);
    EXPECT_EQ(five.night, (ColourPair{rgb(0x000050), std::nullopt}));
    EXPECT_EQ(five.labelling.nightColour, rgb(0x0A0B0C));
    const Line& extended = element(t.lines, 0x10101);
    ASSERT_EQ(extended.labelling.labels.size(), 3u);
    EXPECT_EQ(extended.labelling.labels[1].text, "Ligne étendue");
    EXPECT_GT(extended.labelling.labels[2].text.size(), 127u); // the two-byte length
}

TEST(TypBinaryReader, PointsDecodeInEveryColourMode) {
    const TypFile t = readData("points.typ");
    const Point& none = element(t.points, 0x0600);
    EXPECT_EQ(none.day.mode, ColourMode::OneTransparent);
    EXPECT_EQ(none.day.palette, (std::vector<Rgba>{{rgb(0xC77400)}, {rgb(0xBD956A)}}));
    EXPECT_EQ(none.day.indices[0], 2); // "none", just past the palette
    const Point& alpha = element(t.points, 0x0800);
    EXPECT_EQ(alpha.day.mode, ColourMode::Alpha);
    ASSERT_EQ(alpha.day.palette.size(), 4u);
    EXPECT_EQ(alpha.day.palette[0], (Rgba{rgb(0xFF0000), 7}));
    EXPECT_EQ(alpha.day.palette[2].alpha, kTransparent);
    EXPECT_EQ(alpha.day.palette[3].alpha, 4);
    EXPECT_EQ(element(t.points, 0x0900).day.palette[0].alpha, 8); // alpha=8
    const Point& trueColour = element(t.points, 0x0A00);
    EXPECT_TRUE(trueColour.day.trueColour());
    EXPECT_EQ(trueColour.day.trueColourPixels[5], (Rgba{rgb(0xFF00FF)}));
    const Point& holes = element(t.points, 0x0B00);
    EXPECT_EQ(holes.day.mode, ColourMode::OneTransparent);
    EXPECT_EQ(holes.day.trueColourPixels[1].alpha, kTransparent);
    EXPECT_EQ(holes.day.trueColourPixels[2].alpha, kOpaque);
    EXPECT_EQ(element(t.points, 0x0C00).day.trueColourPixels[3], (Rgba{rgb(0xFFFFFF), 15}));
    const Point& night = element(t.points, 0x10A05);
    ASSERT_TRUE(night.night);
    EXPECT_EQ(night.night->palette.size(), 3u);
    EXPECT_EQ(night.night->indices[6], 2); // row 2
    EXPECT_EQ(night.labelling.font, FontStyle::Large);
    EXPECT_EQ(element(t.points, 0x0D00).day.palette.size(), 40u); // 8 bits a pixel
}

TEST(TypBinaryReader, IconSetsAndLabelsInTheirCodePages) {
    const TypFile icons = readData("icons.typ");
    ASSERT_EQ(icons.iconSets.size(), 4u);
    EXPECT_EQ(icons.iconSets[0].label, "alpha");
    EXPECT_EQ(icons.iconSets[1].icons.size(), 2u);
    EXPECT_EQ(icons.iconSets[2].icons[1].trueColourPixels.size(), 4u);
    EXPECT_FALSE(icons.iconSets[3].label);
    EXPECT_EQ(readData("labels_1250.typ").points[0].labelling.labels,
              (std::vector<Label>{{0x0D, "Łódź Żółć"}, {0x02, "Straße"}}));
    EXPECT_EQ(readData("labels_1251.typ").lines[0].labelling.labels[0].text, "Главная дорога");
    EXPECT_EQ(readData("labels_65001.typ").polygons[0].labelling.labels[0].text, "Town Ω ∞ 東京");
}

// A real map's TYP of another tool: a 0x5B header, 3-byte index offsets, a transparent colour
// past the palette in every icon, and one polygon whose pattern flag has no pattern behind it.
TEST(TypBinaryReader, AnotherToolsFileIsReadAroundItsDamagedRecord) {
    const std::string bytes = test::sharedTypFile("binaries/M00000.typ");
    if (bytes.empty()) GTEST_SKIP() << "no shared TYP files";
    const BinaryRead r = readBinary(bytes);
    EXPECT_EQ(r.headerLength, 0x5B);
    EXPECT_EQ(r.created, (DateTime{2024, 5, 17, 8, 59, 17}));
    EXPECT_EQ(r.notes, (std::vector<ReadNote>{{ReadProblem::RecordDamaged, TypPart::Polygons, 0x51A,
                                               ElementCode{0x47, 0}}}));
    EXPECT_EQ(r.typ.polygons.size(), 30u);
    EXPECT_EQ(r.typ.lines.size(), 21u);
    EXPECT_EQ(r.typ.points.size(), 73u);
    EXPECT_EQ(element(r.typ.lines, 0x0100).labelling.labels,
              (std::vector<Label>{{4, "Major Highway"}}));
    const BinaryRead again = readBinary(writeBinary(r.typ, r.created).bytes);
    EXPECT_EQ(again.typ, r.typ);
}

// Damage done to mkgmap's polygons file; each case gives its note, and the reader never reads
// outside the bytes.
TEST(TypBinaryReader, DamageGivesANoteAndTheRestIsRead) {
    const std::string good = test::typDataFile("polygons.typ");
    auto put4 = [](std::string& b, std::size_t at, std::uint32_t v) {
        for (int k = 0; k < 4; ++k) b[at + k] = static_cast<char>(v >> (8 * k));
    };
    struct Case {
        const char* what;
        std::function<void(std::string&)> damage;
        ReadProblem problem;
        TypPart part;
    };
    const std::vector<Case> cases{
        {"cut in the middle", [](std::string& b) { b.resize(b.size() / 2); },
         ReadProblem::SectionOutsideFile, TypPart::Polygons},
        {"index far past the end", [&](std::string& b) { put4(b, 0x47, 0xFFFFFFF0); },
         ReadProblem::SectionOutsideFile, TypPart::Polygons},
        {"index longer than the file", [&](std::string& b) { put4(b, 0x4D, 0x7FFFFFFF); },
         ReadProblem::SectionOutsideFile, TypPart::Polygons},
        {"index records of 2 bytes", [](std::string& b) { b[0x4B] = 2; },
         ReadProblem::IndexRecordSize, TypPart::Polygons},
        {"record offset past the data", [](std::string& b) { b[0x42E] = '\xFF'; },
         ReadProblem::EntryOutsideSection, TypPart::Polygons},
        {"record running into the next", [](std::string& b) { b[0x9C] = 0x08; },
         ReadProblem::RecordDamaged, TypPart::Polygons},
        {"label block past its record", [](std::string& b) { b[0xA0] = '\x7F'; },
         ReadProblem::LabelDamaged, TypPart::Polygons},
        {"draw-order records of 3 bytes", [](std::string& b) { b[0x55] = 3; },
         ReadProblem::DrawOrderRecordSize, TypPart::DrawOrder},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string bytes = good;
        c.damage(bytes);
        const BinaryRead r = readBinary(bytes);
        ASSERT_FALSE(r.refusal);
        ASSERT_FALSE(r.notes.empty());
        EXPECT_EQ(r.notes[0].problem, c.problem);
        EXPECT_EQ(r.notes[0].part, c.part);
    }
    EXPECT_EQ(readBinary(good.substr(0, 0x5A)).refusal, ReadRefusal::TooShort);
    EXPECT_EQ(readBinary(std::string("\x9C\0GARMIN TIP", 12) + good.substr(12)).refusal,
              ReadRefusal::NotATypFile);
}

// The identity of a TYP inside a map is read and set in place, without the rest of the file.
TEST(TypHeader, IdentityIsReadAndSetInPlace) {
    std::string bytes = test::typDataFile("lines.typ");
    auto span = [&] {
        return std::span<std::uint8_t>(reinterpret_cast<std::uint8_t*>(bytes.data()), bytes.size());
    };
    EXPECT_EQ(hdr::readIdentity(span()), (Identity{2222, 3, 1252}));
    ASSERT_TRUE(hdr::setIdentity(span(), {6324, 9, 65001}));
    EXPECT_EQ(readBinary(bytes).typ.identity, (Identity{6324, 9, 65001}));
    bytes[2] = 'g';
    EXPECT_FALSE(hdr::readIdentity(span()));
    EXPECT_FALSE(hdr::setIdentity(span(), {}));
}

} // namespace
} // namespace kestrel::typ
