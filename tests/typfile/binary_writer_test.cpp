// The binary writer's refusals and the labels a code page cannot hold; its bytes are checked
// against mkgmap's files in binary_round_trip_test.
#include "typfile/binary_writer.h"

#include <gtest/gtest.h>

#include <functional>

#include "typfile/binary_reader.h"

namespace kestrel::typ {
namespace {

const DateTime kWhen{2026, 12, 6, 12, 0, 0};

Image square(std::uint8_t side, std::size_t colours) {
    Image image;
    image.width = image.height = side;
    image.palette.assign(colours, Rgba{});
    image.indices.assign(std::size_t{side} * side, 0);
    return image;
}

TEST(TypBinaryWriter, RefusesWhatAFileCannotHold) {
    struct Case {
        const char* what;
        std::function<void(TypFile&)> make;
        WriteRefusal refusal;
        TypPart part;
    };
    const std::vector<Case> cases{
        {"type above 0x7FF",
         [](TypFile& t) {
             t.polygons.emplace_back().code = {0x800, 0};
         },
         WriteRefusal::CodeOutOfRange, TypPart::Polygons},
        {"subtype above 0x1F",
         [](TypFile& t) {
             t.lines.emplace_back().code = {0x10, 0x20};
         },
         WriteRefusal::CodeOutOfRange, TypPart::Lines},
        {"polygon pattern of 31 rows",
         [](TypFile& t) {
             t.polygons.emplace_back().pattern = Pattern{31, std::vector<std::uint8_t>(992)};
         },
         WriteRefusal::PatternMisshapen, TypPart::Polygons},
        {"line pattern of 32 rows",
         [](TypFile& t) {
             t.lines.emplace_back().pattern = Pattern{32, std::vector<std::uint8_t>(1024)};
         },
         WriteRefusal::PatternMisshapen, TypPart::Lines},
        {"pattern pixels missing",
         [](TypFile& t) {
             t.lines.emplace_back().pattern = Pattern{2, std::vector<std::uint8_t>(63)};
         },
         WriteRefusal::PatternMisshapen, TypPart::Lines},
        {"image pixels missing",
         [](TypFile& t) {
             Point& p = t.points.emplace_back();
             p.day = square(8, 2);
             p.day.indices.pop_back();
         },
         WriteRefusal::ImageMisshapen, TypPart::Points},
        {"night image of another size",
         [](TypFile& t) {
             Point& p = t.points.emplace_back();
             p.day = square(8, 2);
             p.night = square(9, 2);
         },
         WriteRefusal::ImageMisshapen, TypPart::Points},
        {"256 colours", [](TypFile& t) { t.points.emplace_back().day = square(8, 256); },
         WriteRefusal::TooManyColours, TypPart::Points},
        {"256 icons", [](TypFile& t) { t.iconSets.emplace_back().icons.resize(256); },
         WriteRefusal::TooManyIcons, TypPart::IconSets},
        {"labels of 16384 bytes",
         [](TypFile& t) {
             t.points.emplace_back().day = square(1, 1);
             t.points[0].labelling.labels = {{4, std::string(16382, 'x')}};
         },
         WriteRefusal::LabelsTooLong, TypPart::Points},
        // 264 icons of 255 x 255 at 8 bits a pixel pass 16 MB.
        {"a file of 16 MB",
         [](TypFile& t) {
             t.points.resize(264);
             for (Point& p : t.points) p.day = square(255, 16);
         },
         WriteRefusal::FileTooLarge, TypPart::Header},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TypFile typ;
        c.make(typ);
        const BinaryWrite w = writeBinary(typ, kWhen);
        ASSERT_TRUE(w.error);
        EXPECT_EQ(w.error->refusal, c.refusal);
        EXPECT_EQ(w.error->part, c.part);
        EXPECT_TRUE(w.bytes.empty());
    }
}

// As mkgmap does, a label with a character the code page lacks is left out whole; the writer
// says which, and keeps the others.
TEST(TypBinaryWriter, LabelsTheCodePageCannotHoldAreLeftOutAndReported) {
    TypFile typ;
    typ.identity = {1, 1, 1252};
    Point& point = typ.points.emplace_back();
    point.code = {0x2F, 6};
    point.day = square(2, 2);
    point.labelling.labels = {{4, "Café"}, {2, "Ωmega"}};
    IconSet& set = typ.iconSets.emplace_back();
    set.code = {1, 0};
    set.label = "Зона";
    set.icons = {square(2, 2)};
    const BinaryWrite w = writeBinary(typ, kWhen);
    ASSERT_FALSE(w.error);
    EXPECT_EQ(w.droppedLabels,
              (std::vector<DroppedLabel>{{TypPart::Points, {0x2F, 6}, {2, "Ωmega"}},
                                         {TypPart::IconLabels, {1, 0}, {0, "Зона"}}}));
    const BinaryRead r = readBinary(w.bytes);
    EXPECT_EQ(r.typ.points[0].labelling.labels, (std::vector<Label>{{4, "Café"}}));
    EXPECT_FALSE(r.typ.iconSets[0].label);
}

} // namespace
} // namespace kestrel::typ
