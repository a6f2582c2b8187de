#include "typbin/generator_form.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "base/paths.h"
#include "support/fake_ui.h"

namespace kestrel {
namespace {

using test::FakeUi;
using Kind = GeneratorKind;
using Verdict = Validation::Verdict;

GeneratorForm form(Kind kind, std::string start, std::string count, bool startHex = false,
                   bool countHex = false) {
    GeneratorForm f(kind, "/nonexistent-folder");
    f.setStart(start);
    f.setCount(count);
    f.setStartHex(startHex);
    f.setCountHex(countHex);
    return f;
}

TEST(GeneratorForm, EachKindHasItsTitleControlsAndDefaults) {
    const struct {
        Kind kind;
        const char *title, *countLabel, *count;
        bool subtypes, lineWidth, hexBoxes;
    } cases[] = {
        {Kind::ExtraPois, "Create Extra POIS", "Number of Extra POIS", "26000", false, false, true},
        {Kind::Pois, "Create POIS", "Number of POIS", "1800", false, false, false},
        {Kind::Lines, "Create Lines", "Number of Lines", "1800", true, true, false},
        {Kind::Polygons, "Create Polygons", "Number of Polygons", "1800", true, false, false},
        {Kind::ActiveRoutes, "Create Active Routes", "Number of Active Routes", "1800", false, true,
         false},
    };
    int menu = 2;
    for (const auto& c : cases) {
        const GeneratorForm f(c.kind, "/home/u");
        EXPECT_EQ(f.title(), c.title);
        EXPECT_EQ(f.countLabel(), c.countLabel);
        EXPECT_EQ(f.start(), "1");
        EXPECT_EQ(f.count(), c.count);
        EXPECT_EQ(f.lineWidth(), "4");
        EXPECT_FALSE(f.ignoreSubtypes());
        EXPECT_EQ(f.path(), joinPath("/home/u", "untitled.typ"));
        EXPECT_EQ(f.showsIgnoreSubtypes(), c.subtypes) << c.title;
        EXPECT_EQ(f.showsLineWidth(), c.lineWidth) << c.title;
        EXPECT_EQ(f.showsHexBoxes(), c.hexBoxes) << c.title;
        EXPECT_EQ(generatorKindFromMenu(menu++), c.kind);
    }
    for (int other : {0, 1, 7}) EXPECT_FALSE(generatorKindFromMenu(other));
}

TEST(GeneratorForm, KeyFilterTakesHexDigitsWhereTheFieldReadsHex) {
    const struct {
        Kind kind;
        bool startHex, countHex;
        GeneratorField field;
        char key;
        std::optional<char> taken;
    } cases[] = {
        {Kind::Lines, false, false, GeneratorField::Start, 'f', 'F'},
        {Kind::Lines, false, false, GeneratorField::Start, '9', '9'},
        {Kind::Lines, false, false, GeneratorField::Start, 'g', {}},
        {Kind::Lines, false, false, GeneratorField::Start, ' ', {}},
        {Kind::Lines, false, false, GeneratorField::Start, '\0', {}},
        {Kind::Lines, false, false, GeneratorField::Start, '\b', '\b'},
        {Kind::Lines, false, false, GeneratorField::Count, '5', '5'},
        {Kind::Lines, false, false, GeneratorField::Count, 'a', {}},
        {Kind::Lines, false, false, GeneratorField::Count, '\b', '\b'},
        {Kind::ExtraPois, false, false, GeneratorField::Start, 'a', {}},
        {Kind::ExtraPois, true, false, GeneratorField::Start, 'a', 'A'},
        {Kind::ExtraPois, true, false, GeneratorField::Count, 'a', {}},
        {Kind::ExtraPois, false, true, GeneratorField::Count, 'e', 'E'},
    };
    for (const auto& c : cases) {
        GeneratorForm f(c.kind, "/a");
        f.setStartHex(c.startHex);
        f.setCountHex(c.countHex);
        EXPECT_EQ(f.filterKey(c.field, c.key), c.taken) << int(c.key);
    }
}

TEST(GeneratorForm, HexBoxesConvertTheFieldValueOfExtraPoisOnly) {
    GeneratorForm f(Kind::ExtraPois, "/a");
    f.setStart("4660");
    f.setStartHex(true);
    EXPECT_EQ(f.start(), "1234");
    f.setStartHex(true); // no change, no second conversion
    EXPECT_EQ(f.start(), "1234");
    f.setStartHex(false);
    EXPECT_EQ(f.start(), "4660");
    f.setCountHex(true);
    EXPECT_EQ(f.count(), "6590"); // 26000
    f.setCount("");
    f.setCountHex(false);
    EXPECT_EQ(f.count(), "");
    GeneratorForm pois(Kind::Pois, "/a");
    pois.setStart("10");
    pois.setStartHex(false);
    pois.setCountHex(true);
    EXPECT_EQ(pois.start(), "10");
    EXPECT_TRUE(pois.startHex());
    EXPECT_FALSE(pois.countHex());
}

TEST(GeneratorForm, RangeLabelShowsTheLastCodeAndTurnsRedFrom16384) {
    const struct {
        Kind kind;
        const char *start, *count;
        bool ignoreSubtypes;
        const char* text;
        RangeColour colour = RangeColour::Normal;
    } cases[] = {
        {Kind::Pois, "1", "1800", false, "0 x 1 -> 0 x 03907"},
        {Kind::Pois, "2F", "40", false, "0 x 2F -> 0 x 03007"},
        {Kind::Pois, "1FF", "32", false, "0 x 1FF -> 0 x 1FF1F"},
        {Kind::Pois, "1FF", "33", false, "0 x 1FF -> 0 x 20000", RangeColour::OutOfRange},
        {Kind::Pois, "10", "5", true, "0 x 10 -> 0 x 01004"}, // no box to tick for POIs
        {Kind::Lines, "10", "5", false, "0 x 10 -> 0 x 01004"},
        {Kind::Lines, "10", "5", true, "0 x 10 -> 0 x 01400"},
        {Kind::Lines, "10", "300", true, "0 x 10 -> 0 x 1011A"},
        {Kind::Lines, "100", "300", true, "0 x 100 -> 0 x 1090B"}, // above 255 it does not count
        {Kind::Lines, "1FF", "33", true, "0 x 1FF -> 0 x 20000", RangeColour::OutOfRange},
        {Kind::ExtraPois, "1", "26000", false, "0 x 1 -> 0 x 06590"},
        {Kind::ExtraPois, "65535", "1", false, "0 x FFFF -> 0 x 0FFFF"},
        {Kind::ActiveRoutes, "50", "9", false, "0 x 1 --> 0 x 1F"},
    };
    for (const auto& c : cases) {
        GeneratorForm f = form(c.kind, c.start, c.count);
        f.setIgnoreSubtypes(c.ignoreSubtypes);
        EXPECT_EQ(f.ignoreSubtypes(), c.ignoreSubtypes && f.showsIgnoreSubtypes());
        EXPECT_EQ(f.rangeLabel().text, c.text) << c.start << " " << c.count;
        EXPECT_EQ(f.rangeLabel().colour, c.colour) << c.text;
    }
    // While a field is empty or the count 0 the label keeps its text.
    GeneratorForm f = form(Kind::Pois, "2F", "40");
    f.setCount("0");
    EXPECT_EQ(f.chktxt().text, "0 x 2F -> 0 x 03007");
    f.setCount("40");
    f.setStart("");
    EXPECT_EQ(f.rangeLabel().text, "0 x 2F -> 0 x 03007");
}

// The refusals and their messages, and the last codes accepted, are golden files of
// `kestrel-cli gen` (gen_refused_*, gen_pois_last_codes, gen_extra_last_id).
TEST(GeneratorForm, ValidationAcceptsTheLimitsAndWaitsForBothFields) {
    const struct {
        Kind kind;
        const char *start, *count;
        Verdict verdict;
    } cases[] = {
        {Kind::Polygons, "1", "1800", Verdict::Valid},
        {Kind::ActiveRoutes, "1", "1800", Verdict::Valid},
        {Kind::ExtraPois, "1", "32767", Verdict::Valid},
        {Kind::Pois, "", "5", Verdict::Incomplete},
        {Kind::Pois, "1", "", Verdict::Incomplete},
        {Kind::Pois, "1", "0", Verdict::Incomplete},
    };
    for (const auto& c : cases) {
        const Validation v = form(c.kind, c.start, c.count).validate();
        EXPECT_EQ(v.verdict, c.verdict) << c.start << " " << c.count;
        EXPECT_EQ(v.message, "") << c.start << " " << c.count;
    }
}

TEST(GeneratorForm, AcceptShowsARefusalAndStaysOrSaysNothingWhileIncomplete) {
    FakeUi ui;
    EXPECT_FALSE(form(Kind::Polygons, "1", "1801").accept(ui));
    EXPECT_FALSE(form(Kind::Pois, "1", "0").accept(ui));
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Max number of elements = 1800"});
}

// The request handed on (kind, fields, path, the width for lines in and outside the list) is in
// the golden rows of `kestrel-cli gen` (gen_lines, gen_lines_width_outside_list, gen_extra_hex).
TEST(GeneratorForm, AcceptTakesTheWidthOnlyForTheKindsThatShowTheList) {
    FakeUi ui;
    // Widths outside 1 to 10 are 4; only the kinds that show the list take it.
    for (const auto& [kind, text, width] : {std::tuple{Kind::ActiveRoutes, "12", 4},
                                            {Kind::ActiveRoutes, "10", 10},
                                            {Kind::Polygons, "9", int{kDefaultLineWidth}}}) {
        GeneratorForm f = form(kind, "1", "5");
        f.setLineWidth(text);
        EXPECT_EQ(f.accept(ui)->lineWidth, width) << text;
    }
    for (const auto& [text, width] : {std::pair{"0", 4}, {"", 4}, {"x", 4}, {"1", 1}})
        EXPECT_EQ(lineWidthValue(text), width) << text;
}

TEST(FieldValue, ReadsUpToTheFirstNonDigitAndSaturates) {
    for (const auto& [text, hex, value] : {std::tuple{"1F", true, std::uint64_t{31}},
                                           {"1f", true, 31},
                                           {"1F", false, 1},
                                           {"", false, 0},
                                           {"x9", false, 0},
                                           {"99999999999999999999999", false, kFieldValueCap}})
        EXPECT_EQ(fieldValue(text, hex), value) << text;
}

} // namespace
} // namespace kestrel
