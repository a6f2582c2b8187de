// The text writer: what it cannot say is noted, one note a loss; every TYP file we have, written
// as text and compiled by kestrel and by mkgmap, decodes to the model it was written from, but for
// the noted losses, and each noted loss is real.
#include "typfile/text_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>

#include "base/files.h"
#include "base/text.h"
#include "support/run_program.h"
#include "support/temp_dir.h"
#include "typfile/binary_reader.h"
#include "typfile/text_compile.h"
#include "typfile/typ_samples.h"
#include "typtext/mkgmap_runner.h"

namespace kestrel::typ {
namespace {

constexpr Rgb kInk = rgbFromHex(0x102030);
constexpr Rgb kPaper = rgbFromHex(0xF0E0D0);

Image image(std::uint8_t width, ColourMode mode, std::vector<Rgba> palette,
            std::vector<std::uint8_t> indices) {
    return {width, 1, mode, std::move(palette), std::move(indices), {}};
}
Image trueColour(ColourMode mode, std::vector<Rgba> pixels) {
    return {static_cast<std::uint8_t>(pixels.size()), 1, mode, {}, {}, std::move(pixels)};
}

Polygon polygon(std::uint16_t type) {
    Polygon p;
    p.code = {type, 0};
    p.day.foreground = kInk;
    return p;
}

// One polygon, line and point, each as plain as the dialect has it.
TypFile plainFile() {
    TypFile t;
    t.identity = {1234, 1, 1252};
    t.drawOrder.levels = {{{0x01, 0}}};
    t.polygons = {polygon(0x01)};
    t.lines = {Line{{0x02, 0}, {kInk, {}}, {}, {}, 3, 0, false, {}}};
    t.points = {Point{{0x03, 0}, image(2, ColourMode::Opaque, {{kInk}}, {0, 0}), {}, {}}};
    return t;
}

struct Loss {
    const char* name;
    std::function<void(TypFile&)> change;
    TextLossNote note;
};
void PrintTo(const Loss& l, std::ostream* out) {
    *out << l.name;
}

const ElementCode kPolygon{0x01, 0}, kLine{0x02, 0}, kPoint{0x03, 0};
const Loss kLosses[] = {
    {"ActiveRoutes",
     [](TypFile& t) {
         t.activeRoutes = {{t.lines[0], 1, 0}, {t.lines[0], 2, 0}};
     },
     {TextLoss::ActiveRoutes, TypPart::ActiveRoutes, std::nullopt, 2}},
    {"UnsortedPolygons",
     [](TypFile& t) { t.polygons.insert(t.polygons.begin(), polygon(0x05)); },
     {TextLoss::UnsortedElements, TypPart::Polygons, std::nullopt}},
    {"DrawOrderGap",
     [](TypFile& t) {
         t.drawOrder.levels = {{{0x01, 0}}, {}, {{0x02, 0}}};
     },
     {TextLoss::DrawOrderShape, TypPart::DrawOrder, std::nullopt}},
    {"DrawOrderLevelOutOfOrder",
     [](TypFile& t) {
         t.drawOrder.levels = {{{0x10, 1}, {0x02, 0}}};
     },
     {TextLoss::DrawOrderShape, TypPart::DrawOrder, std::nullopt}},
    {"DrawOrderTypeTwiceInALevel",
     [](TypFile& t) {
         t.drawOrder.levels = {{{0x10, 1}, {0x10, 4}}};
     },
     {TextLoss::DrawOrderShape, TypPart::DrawOrder, std::nullopt}},
    {"PlainPolygonWithBackground",
     [](TypFile& t) { t.polygons[0].day.background = kPaper; },
     {TextLoss::HiddenBackground, TypPart::Polygons, kPolygon}},
    {"BorderWithoutWidth",
     [](TypFile& t) { t.lines[0].day.background = kPaper; },
     {TextLoss::HiddenBackground, TypPart::Lines, kLine}},
    {"PolygonPatternOf16Rows",
     [](TypFile& t) {
         t.polygons[0].pattern = Pattern{16, std::vector<std::uint8_t>(512, 1)};
     },
     {TextLoss::PatternShape, TypPart::Polygons, kPolygon}},
    {"ImageOfNoPixels",
     [](TypFile& t) { t.points[0].day = image(0, ColourMode::Opaque, {{kInk}}, {}); },
     {TextLoss::ImageShape, TypPart::Points, kPoint}},
    {"PixelsMissing",
     [](TypFile& t) { t.points[0].day.indices = {0}; },
     {TextLoss::ImageShape, TypPart::Points, kPoint}},
    {"NightImageOfAnotherSize",
     [](TypFile& t) { t.points[0].night = image(1, ColourMode::Opaque, {{kPaper}}, {0}); },
     {TextLoss::ImageShape, TypPart::Points, kPoint}},
    {"PixelOutsidePalette",
     [](TypFile& t) {
         t.points[0].day.indices = {0, 2};
     },
     {TextLoss::PixelOutsidePalette, TypPart::Points, kPoint}},
    {"OpaqueColoursInAlphaMode",
     [](TypFile& t) {
         t.points[0].day = image(2, ColourMode::Alpha, {{kInk}, {kPaper}}, {0, 1});
     },
     {TextLoss::ColourMode, TypPart::Points, kPoint}},
    {"TrueColourAlphaWithoutPartlyTransparentPixels",
     [](TypFile& t) {
         t.points[0].day = trueColour(ColourMode::Alpha, {{kInk}, {kPaper, 15}});
     },
     {TextLoss::ColourMode, TypPart::Points, kPoint}},
    {"TrueColourOneTransparentWithoutTransparentPixel",
     [](TypFile& t) { t.points[0].day = trueColour(ColourMode::OneTransparent, {{kInk}}); },
     {TextLoss::ColourMode, TypPart::Points, kPoint}},
    {"FontStyleWithoutName",
     [](TypFile& t) { t.lines[0].labelling.font = static_cast<FontStyle>(5); },
     {TextLoss::FontStyle, TypPart::Lines, kLine}},
    {"LineNightLabelColourAlone",
     [](TypFile& t) { t.lines[0].labelling.nightColour = kPaper; },
     {TextLoss::NightLabelColour, TypPart::Lines, kLine}},
    {"LabelTrailingBlank",
     [](TypFile& t) {
         t.points[0].labelling.labels = {{4, "Inn "}};
     },
     {TextLoss::LabelText, TypPart::Points, kPoint}},
    {"LabelLineBreak",
     [](TypFile& t) {
         t.points[0].labelling.labels = {{4, "Inn\r\nBar"}};
     },
     {TextLoss::LabelText, TypPart::Points, kPoint}},
};

TypFile changed(const Loss& l) {
    TypFile t = plainFile();
    l.change(t);
    return t;
}

class TextWriterLoss : public ::testing::TestWithParam<Loss> {};

TEST(TextWriter, PlainFileNeedsNoNote) {
    EXPECT_TRUE(writeText(plainFile()).notes.empty());
}

TEST_P(TextWriterLoss, IsNotedOnce) {
    EXPECT_EQ(writeText(changed(GetParam())).notes, std::vector<TextLossNote>{GetParam().note});
}

INSTANTIATE_TEST_SUITE_P(Notes, TextWriterLoss, ::testing::ValuesIn(kLosses),
                         [](const auto& info) { return std::string(info.param.name); });

// The model without what the notes say the text loses: the elements they name, the active routes,
// the draw order, the order of a list; for comparing what the text kept.
template <typename T> void erase(std::vector<T>& list, const ElementCode& code) {
    std::erase_if(list, [&](const T& e) { return e.code == code; });
}
template <typename T> void sortByCode(std::vector<T>& list) {
    std::stable_sort(list.begin(), list.end(),
                     [](const T& a, const T& b) { return a.code.word() < b.code.word(); });
}
TypFile withoutNoted(TypFile t, const std::vector<TextLossNote>& notes) {
    for (const TextLossNote& n : notes) {
        if (n.loss == TextLoss::ActiveRoutes) t.activeRoutes.clear();
        if (n.loss == TextLoss::DrawOrderShape) t.drawOrder = {};
        if (n.loss == TextLoss::UnsortedElements)
            std::stable_sort(
                t.polygons.begin(), t.polygons.end(),
                [](const Polygon& a, const Polygon& b) { return a.code.word() < b.code.word(); });
        if (!n.code) continue;
        erase(t.polygons, *n.code);
        erase(t.lines, *n.code);
        erase(t.points, *n.code);
        erase(t.iconSets, *n.code);
    }
    return t;
}

// Every TYP file the tests have, and the plain file with each loss.
std::map<std::string, TypFile> models() {
    std::map<std::string, TypFile> out;
    std::vector<test::TypSample> files = test::mkgmapTypFiles();
    for (test::TypSample& f : test::numberedTypFiles()) files.push_back(std::move(f));
    if (std::string other = test::sharedTypFile("binaries/M00000.typ"); !other.empty())
        files.push_back({"M00000.typ", std::move(other)});
    for (const test::TypSample& f : files)
        out[replaceAll(f.name, ".", "_")] = readBinary(f.bytes).typ;
    out["plain"] = plainFile();
    for (const Loss& l : kLosses) out[l.name] = changed(l);
    return out;
}

// The compiled file decodes to the model the text was written from, but for what the notes name;
// and each noted loss does change it.
void expectCompiledBack(const TypFile& model, const TextWrite& text, const std::string& compiled) {
    const BinaryRead back = readBinary(compiled);
    ASSERT_FALSE(back.refusal);
    EXPECT_EQ(withoutNoted(back.typ, text.notes), withoutNoted(model, text.notes));
    if (!text.notes.empty()) {
        EXPECT_NE(back.typ, model);
    }
}

TEST(TextWriter, KestrelCompilesTheTextsBackToTheirModels) {
    for (const auto& [name, model] : models()) {
        SCOPED_TRACE(name);
        const TextWrite text = writeText(model);
        const CompiledText c = compileText(text.text, {}, DateTime{});
        if (text.notes.empty()) {
            EXPECT_TRUE(c.notes.empty());
            EXPECT_FALSE(c.error);
        }
        // kestrel refuses a night image of another size, which mkgmap writes damaged.
        if (!c.error) expectCompiledBack(model, text, c.bytes);
    }
}

// mkgmap on every text, in one run per code page.
TEST(TextWriter, MkgmapCompilesTheTextsBackToTheirModels) {
    if (!test::mkgmapAvailable()) GTEST_SKIP() << "mkgmap is not installed";
    test::TempDir dir;
    std::map<std::string, TextWrite> texts;
    std::map<std::uint16_t, std::vector<std::string>> byCodePage;
    std::map<std::string, TypFile> all = models();
    all.erase("ImageOfNoPixels"); // mkgmap fails on a picture of no pixels
    for (const auto& [name, model] : all) {
        texts[name] = writeText(model);
        dir.write(name + ".txt", texts[name].text);
        byCodePage[model.identity.codePage].push_back(name + ".txt");
    }
    for (const auto& [codePage, files] : byCodePage) {
        std::vector<std::string> args{"mkgmap", "--code-page=" + std::to_string(codePage)};
        args.insert(args.end(), files.begin(), files.end());
        const test::ProgramRun r = test::runProgram(args, {}, dir.path());
        EXPECT_EQ(r.status, 0) << r.out << r.err;
    }
    for (const auto& [name, model] : all) {
        SCOPED_TRACE(name);
        expectCompiledBack(model, texts.at(name), readFile(dir.file(name + ".typ")).value_or(""));
    }
}

} // namespace
} // namespace kestrel::typ
