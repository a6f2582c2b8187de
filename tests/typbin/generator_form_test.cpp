#include "typbin/generator_form.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "support/fake_ui.h"
#include "support/temp_dir.h"
#include "typbin/messages.h"

namespace kestrel {
namespace {

using test::FakeUi;

GeneratorForm form(GeneratorKind kind, std::string start, std::string count) {
    GeneratorForm f(kind, "/home/u");
    f.setStart(start);
    f.setCount(count);
    return f;
}

std::string refusal(const GeneratorForm& f) {
    const Validation v = f.validate();
    EXPECT_EQ(v.verdict, Validation::Verdict::Refused);
    return v.message;
}

bool valid(const GeneratorForm& f) {
    return f.validate().verdict == Validation::Verdict::Valid;
}

TEST(GeneratorForm, KindNamesTitlesAndControls) {
    EXPECT_EQ(GeneratorForm(GeneratorKind::ExtraPois, "/a").title(), "Create Extra POIS");
    EXPECT_EQ(GeneratorForm(GeneratorKind::Pois, "/a").countLabel(), "Number of POIS");
    EXPECT_EQ(GeneratorForm(GeneratorKind::ActiveRoutes, "/a").title(), "Create Active Routes");
    const GeneratorForm lines(GeneratorKind::Lines, "/a");
    EXPECT_TRUE(lines.showsIgnoreSubtypes());
    EXPECT_TRUE(lines.showsLineWidth());
    EXPECT_FALSE(lines.showsHexBoxes());
    const GeneratorForm polygons(GeneratorKind::Polygons, "/a");
    EXPECT_TRUE(polygons.showsIgnoreSubtypes());
    EXPECT_FALSE(polygons.showsLineWidth());
    const GeneratorForm routes(GeneratorKind::ActiveRoutes, "/a");
    EXPECT_FALSE(routes.showsIgnoreSubtypes());
    EXPECT_TRUE(routes.showsLineWidth());
    const GeneratorForm extra(GeneratorKind::ExtraPois, "/a");
    EXPECT_TRUE(extra.showsHexBoxes());
    EXPECT_FALSE(extra.showsIgnoreSubtypes());
    EXPECT_FALSE(extra.showsLineWidth());
}

TEST(GeneratorForm, MenuIndexesTwoToSixAreTheKinds) {
    EXPECT_EQ(generatorKindFromMenu(2), GeneratorKind::ExtraPois);
    EXPECT_EQ(generatorKindFromMenu(6), GeneratorKind::ActiveRoutes);
    EXPECT_FALSE(generatorKindFromMenu(0));
    EXPECT_FALSE(generatorKindFromMenu(1));
    EXPECT_FALSE(generatorKindFromMenu(7));
}

TEST(GeneratorForm, Defaults) {
    const GeneratorForm pois(GeneratorKind::Pois, "/home/u");
    EXPECT_EQ(pois.start(), "1");
    EXPECT_EQ(pois.count(), "1800");
    EXPECT_EQ(pois.lineWidth(), "4");
    EXPECT_FALSE(pois.ignoreSubtypes());
    EXPECT_EQ(pois.path(), "/home/u/untitled.typ");
    EXPECT_EQ(GeneratorForm(GeneratorKind::ExtraPois, "/a").count(), "26000");
    EXPECT_EQ(GeneratorForm(GeneratorKind::ActiveRoutes, "/a").rangeLabel().text,
              "0 x 1 --> 0 x 1F");
}

TEST(GeneratorForm, KeyFilterOfNumberedKindsHexStartDecimalCount) {
    const GeneratorForm f(GeneratorKind::Lines, "/a");
    EXPECT_EQ(f.filterKey(GeneratorField::Start, 'f'), 'F');
    EXPECT_EQ(f.filterKey(GeneratorField::Start, '9'), '9');
    EXPECT_FALSE(f.filterKey(GeneratorField::Start, 'g'));
    EXPECT_FALSE(f.filterKey(GeneratorField::Start, ' '));
    EXPECT_FALSE(f.filterKey(GeneratorField::Start, '\0'));
    EXPECT_EQ(f.filterKey(GeneratorField::Count, '5'), '5');
    EXPECT_FALSE(f.filterKey(GeneratorField::Count, 'a'));
    EXPECT_EQ(f.filterKey(GeneratorField::Count, '\b'), '\b');
    EXPECT_EQ(f.filterKey(GeneratorField::Start, '\b'), '\b');
}

TEST(GeneratorForm, KeyFilterOfExtraPoisFollowsTheHexBoxes) {
    GeneratorForm f(GeneratorKind::ExtraPois, "/a");
    EXPECT_FALSE(f.filterKey(GeneratorField::Start, 'a'));
    EXPECT_FALSE(f.filterKey(GeneratorField::Count, 'a'));
    f.setStartHex(true);
    EXPECT_EQ(f.filterKey(GeneratorField::Start, 'a'), 'A');
    EXPECT_FALSE(f.filterKey(GeneratorField::Count, 'a'));
    f.setCountHex(true);
    EXPECT_EQ(f.filterKey(GeneratorField::Count, 'e'), 'E');
}

TEST(GeneratorForm, HexBoxesConvertTheFieldValue) {
    GeneratorForm f(GeneratorKind::ExtraPois, "/a");
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
}

TEST(GeneratorForm, HexBoxesDoNothingForNumberedKinds) {
    GeneratorForm f(GeneratorKind::Pois, "/a");
    f.setStart("10");
    f.setStartHex(false);
    EXPECT_EQ(f.start(), "10");
    EXPECT_TRUE(f.startHex());
    f.setCountHex(true);
    EXPECT_FALSE(f.countHex());
}

TEST(GeneratorForm, RangeLabelOfPoisIsTypeAndTwoDigitSubtype) {
    const GeneratorForm f = form(GeneratorKind::Pois, "1", "1800");
    EXPECT_EQ(f.rangeLabel().text, "0 x 1 -> 0 x 03907");
    EXPECT_EQ(f.rangeLabel().colour, RangeColour::Normal);
    EXPECT_EQ(form(GeneratorKind::Pois, "2F", "40").rangeLabel().text, "0 x 2F -> 0 x 03007");
}

TEST(GeneratorForm, RangeLabelTurnsRedFrom16384) {
    EXPECT_EQ(form(GeneratorKind::Pois, "1FF", "32").rangeLabel().text, "0 x 1FF -> 0 x 1FF1F");
    EXPECT_EQ(form(GeneratorKind::Pois, "1FF", "32").rangeLabel().colour, RangeColour::Normal);
    const GeneratorForm f = form(GeneratorKind::Pois, "1FF", "33");
    EXPECT_EQ(f.rangeLabel().text, "0 x 1FF -> 0 x 20000");
    EXPECT_EQ(f.rangeLabel().colour, RangeColour::OutOfRange);
}

TEST(GeneratorForm, RangeLabelWithIgnoreSubtypes) {
    GeneratorForm f = form(GeneratorKind::Lines, "10", "5");
    EXPECT_EQ(f.rangeLabel().text, "0 x 10 -> 0 x 01004");
    f.setIgnoreSubtypes(true);
    EXPECT_EQ(f.rangeLabel().text, "0 x 10 -> 0 x 01400");
    f.setCount("300"); // n = 299 >= 258: 0x2000 + 299 - (257 - 16) = 0x203A
    EXPECT_EQ(f.rangeLabel().text, "0 x 10 -> 0 x 1011A");
    f.setStart("100"); // above 255 the box does not count
    EXPECT_EQ(f.rangeLabel().text, "0 x 100 -> 0 x 1090B");
    f.setStart("1FF");
    f.setCount("33");
    EXPECT_EQ(f.rangeLabel().text, "0 x 1FF -> 0 x 20000");
    EXPECT_EQ(f.rangeLabel().colour, RangeColour::OutOfRange);
}

TEST(GeneratorForm, IgnoreSubtypesCannotBeTickedWhereTheBoxIsHidden) {
    GeneratorForm f = form(GeneratorKind::Pois, "10", "5");
    f.setIgnoreSubtypes(true);
    EXPECT_FALSE(f.ignoreSubtypes());
    EXPECT_EQ(f.rangeLabel().text, "0 x 10 -> 0 x 01004");
}

TEST(GeneratorForm, RangeLabelOfExtraPoisIsHexOfLastId) {
    GeneratorForm f = form(GeneratorKind::ExtraPois, "1", "26000");
    EXPECT_EQ(f.rangeLabel().text, "0 x 1 -> 0 x 06590");
    f.setStart("65535");
    f.setCount("1");
    EXPECT_EQ(f.rangeLabel().text, "0 x FFFF -> 0 x 0FFFF");
}

TEST(GeneratorForm, RangeLabelKeepsItsTextWhileAFieldIsEmptyOrCountZero) {
    GeneratorForm f = form(GeneratorKind::Pois, "2F", "40");
    f.setCount("0");
    EXPECT_EQ(f.rangeLabel().text, "0 x 2F -> 0 x 03007");
    f.setCount("40");
    f.setStart("");
    EXPECT_EQ(f.rangeLabel().text, "0 x 2F -> 0 x 03007");
}

TEST(GeneratorForm, RangeLabelOfActiveRoutesNeverChanges) {
    GeneratorForm f = form(GeneratorKind::ActiveRoutes, "50", "9");
    EXPECT_EQ(f.chktxt().text, "0 x 1 --> 0 x 1F");
}

TEST(GeneratorForm, NumberedValidationAcceptsUpToCode16383) {
    EXPECT_TRUE(valid(form(GeneratorKind::Pois, "1ff", "32")));
    EXPECT_EQ(refusal(form(GeneratorKind::Pois, "1ff", "33")),
              "Last ID would have been ~ &200  ID's are between 1 - &1FF1F  ");
}

TEST(GeneratorForm, NumberedValidationRefusesStart200) {
    EXPECT_EQ(refusal(form(GeneratorKind::Lines, "200", "1")),
              "Last ID would have been ~ &200  ID's are between 1 - &1FF1F  ");
}

TEST(GeneratorForm, NumberedValidationRefusesStartZero) {
    EXPECT_EQ(refusal(form(GeneratorKind::Polygons, "0", "40")),
              "Last ID would have been ~ &1  ID's are between 1 - &1FF1F  ");
}

TEST(GeneratorForm, LastTypeInTheMessageRoundsHalvesToEven) {
    // (0x200 x 32 + 16) / 32 = 512.5 gives 512; (0x201 x 32 + 16) / 32 = 513.5 gives 514.
    EXPECT_EQ(refusal(form(GeneratorKind::Pois, "200", "16")),
              "Last ID would have been ~ &200  ID's are between 1 - &1FF1F  ");
    EXPECT_EQ(refusal(form(GeneratorKind::Pois, "201", "16")),
              "Last ID would have been ~ &202  ID's are between 1 - &1FF1F  ");
}

TEST(GeneratorForm, NumberedValidationCapsTheCountAt1800) {
    EXPECT_TRUE(valid(form(GeneratorKind::Polygons, "1", "1800")));
    EXPECT_EQ(refusal(form(GeneratorKind::Polygons, "1", "1801")), "Max number of elements = 1800");
    EXPECT_TRUE(valid(form(GeneratorKind::ActiveRoutes, "1", "1800")));
}

TEST(GeneratorForm, NothingHappensWhileAFieldIsEmptyOrTheCountIsZero) {
    EXPECT_EQ(form(GeneratorKind::Pois, "", "5").validate().verdict,
              Validation::Verdict::Incomplete);
    EXPECT_EQ(form(GeneratorKind::Pois, "1", "").validate().verdict,
              Validation::Verdict::Incomplete);
    EXPECT_EQ(form(GeneratorKind::Pois, "1", "0").validate().verdict,
              Validation::Verdict::Incomplete);
    GeneratorForm f = form(GeneratorKind::Pois, "1", "0");
    FakeUi ui;
    EXPECT_FALSE(f.accept(ui));
    EXPECT_TRUE(ui.messages.empty());
}

TEST(GeneratorForm, HugeNumbersAreRefusedNotWrapped) {
    EXPECT_EQ(refusal(form(GeneratorKind::Pois, "FFFFFFFFFFFFFFFFFFFF", "1")).substr(0, 27),
              "Last ID would have been ~ &");
    EXPECT_EQ(refusal(form(GeneratorKind::Pois, "1", "99999999999999999999")).substr(0, 27),
              "Last ID would have been ~ &");
    EXPECT_EQ(refusal(form(GeneratorKind::Pois, "8000", "1")),
              "Last ID would have been ~ &8000  ID's are between 1 - &1FF1F  ");
}

TEST(GeneratorForm, ExtraPoiValidationAcceptsId65535) {
    EXPECT_TRUE(valid(form(GeneratorKind::ExtraPois, "65535", "1")));
    EXPECT_EQ(refusal(form(GeneratorKind::ExtraPois, "65535", "2")),
              "Last ID would have been 65537 ID's are between 1 - 65535 ");
}

TEST(GeneratorForm, ExtraPoiValidationInHexWhenTheStartBoxIsTicked) {
    GeneratorForm f = form(GeneratorKind::ExtraPois, "65535", "2");
    f.setStartHex(true);
    EXPECT_EQ(refusal(f), "Last ID would have been &10001  ID's are between 1 - &FFFF  ");
}

TEST(GeneratorForm, ExtraPoiCountCap) {
    EXPECT_TRUE(valid(form(GeneratorKind::ExtraPois, "1", "32767")));
    EXPECT_EQ(refusal(form(GeneratorKind::ExtraPois, "1", "32768")),
              " 32768? Maximum Extra POIs: 32767 ");
    GeneratorForm f = form(GeneratorKind::ExtraPois, "1", "32768");
    f.setCountHex(true);
    EXPECT_EQ(refusal(f), "8000? Maximum Extra POIs : &7FFF ");
}

TEST(GeneratorForm, ExtraPoiStartZeroIsRefused) {
    EXPECT_EQ(refusal(form(GeneratorKind::ExtraPois, "0", "5")),
              "Last ID would have been 5 ID's are between 1 - 65535 ");
}

TEST(GeneratorForm, AcceptShowsTheRefusalAndStays) {
    GeneratorForm f = form(GeneratorKind::Polygons, "1", "1801");
    FakeUi ui;
    EXPECT_FALSE(f.accept(ui));
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Max number of elements = 1800"});
}

TEST(GeneratorForm, AcceptGivesTheRequest) {
    test::TempDir dir;
    GeneratorForm f(GeneratorKind::Lines, dir.path());
    f.setStart("fe");
    f.setCount("4");
    f.setIgnoreSubtypes(true);
    f.setLineWidth("7");
    FakeUi ui;
    const auto r = f.accept(ui);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->kind, GeneratorKind::Lines);
    EXPECT_EQ(r->lineWidth, 7);
    EXPECT_EQ((std::tuple{r->start, r->count, r->path, r->ignoreSubtypes}),
              (std::tuple{std::string("fe"), 4u, dir.file("untitled.typ"), true}));
    EXPECT_TRUE(ui.questions.empty());
}

TEST(GeneratorForm, ExtraPoiStartIsHandedOnInDecimal) {
    GeneratorForm f(GeneratorKind::ExtraPois, "/nonexistent-folder");
    f.setStartHex(true);
    f.setStart("1234");
    f.setCountHex(true);
    f.setCount("10");
    FakeUi ui;
    const auto r = f.accept(ui);
    ASSERT_TRUE(r);
    EXPECT_EQ((std::tuple{r->start, r->count, r->path, r->ignoreSubtypes}),
              (std::tuple{std::string("4660"), 16u, std::string("/nonexistent-folder/untitled.typ"),
                          false}));
}

TEST(GeneratorForm, LineWidthOutsideOneToTenIsFour) {
    EXPECT_EQ(lineWidthValue("12"), 4);
    EXPECT_EQ(lineWidthValue("0"), 4);
    EXPECT_EQ(lineWidthValue(""), 4);
    EXPECT_EQ(lineWidthValue("x"), 4);
    EXPECT_EQ(lineWidthValue("1"), 1);
    EXPECT_EQ(lineWidthValue("10"), 10);
    GeneratorForm f = form(GeneratorKind::ActiveRoutes, "1", "5");
    f.setPath("/nonexistent-folder/r.typ");
    f.setLineWidth("12");
    FakeUi ui;
    EXPECT_EQ(f.accept(ui)->lineWidth, 4);
}

TEST(GeneratorForm, LineWidthIsOnlyTakenWhereTheListIsShown) {
    GeneratorForm f = form(GeneratorKind::Polygons, "1", "5");
    f.setPath("/nonexistent-folder/p.typ");
    f.setLineWidth("9");
    FakeUi ui;
    EXPECT_EQ(f.accept(ui)->lineWidth, kDefaultLineWidth);
}

TEST(GeneratorForm, ExistingFileIsReplacedOnlyAfterYes) {
    test::TempDir dir;
    const std::string path = dir.write("x.typ", "old");
    for (const Answer a : {Answer::No, Answer::Cancel, Answer::Yes}) {
        GeneratorForm f = form(GeneratorKind::Pois, "1", "5");
        f.setPath(path);
        FakeUi ui;
        ui.answers.push_back(a);
        const auto r = f.accept(ui);
        EXPECT_EQ(r.has_value(), a == Answer::Yes);
        EXPECT_EQ(ui.questions, std::vector<std::string>{"TYP file exists . Overwrite this file?"});
    }
}

TEST(FieldValue, ReadsUpToTheFirstNonDigitAndSaturates) {
    EXPECT_EQ(fieldValue("1F", true), 31u);
    EXPECT_EQ(fieldValue("1f", true), 31u);
    EXPECT_EQ(fieldValue("1F", false), 1u);
    EXPECT_EQ(fieldValue("", false), 0u);
    EXPECT_EQ(fieldValue("x9", false), 0u);
    EXPECT_EQ(fieldValue("99999999999999999999999", false), kFieldValueCap);
}

} // namespace
} // namespace kestrel
