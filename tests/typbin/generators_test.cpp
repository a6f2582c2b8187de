#include "typbin/generators.h"

#include <gtest/gtest.h>

#include "base/files.h"
#include "base/paths.h"
#include "support/fake_launcher.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"
#include "support/typ_test_reader.h"
#include "typbin/messages.h"

namespace kestrel {
namespace {

using test::IndexEntry;
using test::readIndex;
using test::TypBytes;

class Generators : public ::testing::Test {
  protected:
    GeneratorContext ctx() {
        return {ui,     launcher,          slots, {TypDateTime{2026, 12, 5, 14, 7, 9}, 1252},
                "/app", dir.file("system")};
    }
    GeneratorRequest request(GeneratorKind kind, std::string start, std::uint32_t count,
                             bool step = false, std::uint8_t width = 4) {
        return {kind, std::move(start), count, dir.file("out.typ"), step, width};
    }
    TypBytes run(const GeneratorRequest& r) {
        GeneratorContext c = ctx();
        const GenerateResult res = runGenerator(r, c);
        EXPECT_EQ(res.status, GenerateStatus::Written);
        const TypBytes f(readFile(r.path).value_or(""));
        EXPECT_EQ(res.bytes, f.size());
        return f;
    }

    test::TempDir dir;
    test::FakeUi ui;
    test::FakeLauncher launcher;
    TypSectionSlots slots;
};

TEST_F(Generators, PoiFileOfThreeElements) {
    const TypBytes f = run(request(GeneratorKind::Pois, "2f", 3));
    ASSERT_EQ(f.size(), 331u); // 91 + 3 x 75 + 3 x 5
    EXPECT_EQ(f.u16(0x00), 0x5Bu);
    EXPECT_EQ(f.str(0x02, 10), "GARMIN TYP");
    EXPECT_EQ(f.u32(0x17), 0x5Bu);
    EXPECT_EQ(f.u32(0x1B), 225u);
    EXPECT_EQ(f.u32(0x33), 316u);
    EXPECT_EQ(f.u16(0x37), 5u);
    EXPECT_EQ(f.u32(0x39), 15u);
    EXPECT_TRUE(f.allZero(0x1F, 0x2F)); // no line or polygon data
    EXPECT_TRUE(f.allZero(0x3D, 0x5B));
    const auto index = readIndex(f, f.u32(0x33), f.u32(0x39), 5);
    ASSERT_EQ(index.size(), 3u);
    EXPECT_EQ(index[2].code, 0x5E2u);
    EXPECT_EQ(index[2].offset, 150u);
    EXPECT_EQ(test::colourAt(f, f.u32(0x17) + index[2].offset + 5), "002F02");
    EXPECT_EQ(f.hexdump(0x0E, 9), "7E 00 05 0C 0E 07 09 E4 04");
}

TEST_F(Generators, LineFileUsesTheLineFields) {
    const TypBytes f = run(request(GeneratorKind::Lines, "FE", 4, true, 7));
    ASSERT_EQ(f.size(), 91u + 4 * 6 + 4 * 5);
    EXPECT_EQ(f.hexdump(0x0E, 7), "7E 00 05 0C 0E 07 09");
    EXPECT_EQ(f.u32(0x1F), 0x5Bu);
    EXPECT_EQ(f.u32(0x23), 24u);
    EXPECT_EQ(f.u32(0x3D), 0x5Bu + 24);
    EXPECT_EQ(f.u16(0x41), 5u);
    EXPECT_EQ(f.u32(0x43), 20u);
    EXPECT_TRUE(f.allZero(0x17, 0x1F));
    EXPECT_TRUE(f.allZero(0x33, 0x3D));
    const auto index = readIndex(f, f.u32(0x3D), f.u32(0x43), 5);
    ASSERT_EQ(index.size(), 4u);
    EXPECT_EQ(index[3].code, 0x2001u);
    EXPECT_EQ(f.hexdump(0x5B + index[3].offset, 6), "06 00 01 00 01 07");
}

TEST_F(Generators, PolygonFileUsesThePolygonFields) {
    const TypBytes f = run(request(GeneratorKind::Polygons, "10", 2));
    ASSERT_EQ(f.size(), 91u + 2 * 4 + 2 * 5);
    EXPECT_EQ(f.u32(0x27), 0x5Bu);
    EXPECT_EQ(f.u32(0x2B), 8u);
    EXPECT_EQ(f.u32(0x47), 0x5Bu + 8);
    EXPECT_EQ(f.u16(0x4B), 5u);
    EXPECT_EQ(f.u32(0x4D), 10u);
    EXPECT_TRUE(f.allZero(0x17, 0x27));
    EXPECT_EQ(f.hexdump(0x5B, 8), "06 00 10 00 06 01 10 00");
    EXPECT_EQ(f.hexdump(0x5B + 8, 10), "00 02 00 00 00 01 02 04 00 00");
}

TEST_F(Generators, ActiveRouteFileHasTheLongHeaderAndCountsOnlyWrittenElements) {
    const TypBytes f = run(request(GeneratorKind::ActiveRoutes, "1", 200, false, 4));
    const std::size_t data = 186 * 7;
    ASSERT_EQ(f.size(), 0xAEu + data + 186 * 7);
    EXPECT_EQ(f.u16(0x00), 0xAEu);
    EXPECT_EQ(f.u32(0x1F), 0xAEu);
    EXPECT_EQ(f.u32(0x23), data);
    EXPECT_TRUE(f.allZero(0x5B, 0xA4));
    EXPECT_EQ(f.u32(0xA4), 0xAEu + data);
    EXPECT_EQ(f.u16(0xA8), 7u);
    EXPECT_EQ(f.u32(0xAA), 186u * 7);
    EXPECT_TRUE(f.allZero(0x33, 0x51)); // no short-form index fields
    const auto index = readIndex(f, f.u32(0xA4), f.u32(0xAA), 7);
    EXPECT_EQ(index[62].groupA, 4u);
    EXPECT_EQ(index[62].groupB, 1u);
    EXPECT_EQ(f.hexdump(0xAE + index[62].offset, 7), "06 00 00 01 00 04 04");
    EXPECT_EQ(launcher.opened, std::vector<std::string>{dir.file("out.typ")});
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Generators, NumberedFilesAreOpenedWithoutAMessage) {
    run(request(GeneratorKind::Pois, "1", 1));
    EXPECT_EQ(launcher.opened, std::vector<std::string>{dir.file("out.typ")});
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Generators, ExtraPoiFileWithoutPrebuiltSections) {
    const TypBytes f = run(request(GeneratorKind::ExtraPois, "1", 3));
    const std::size_t slot0 = 3 * 6, slot1 = 3 * 270;
    ASSERT_EQ(f.size(), 0xC4u + slot0 + slot1);
    EXPECT_EQ(f.u16(0x00), 0xAEu);
    EXPECT_EQ(f.u32(0x5B), 0xC4u);
    EXPECT_EQ(f.u16(0x5F), 6u);
    EXPECT_EQ(f.u32(0x61), slot0);
    EXPECT_EQ(f.u8(0x65), 0x0Fu);
    EXPECT_EQ(f.u32(0x66), 0xC4u + slot0);
    EXPECT_EQ(f.u32(0x6A), slot1);
    EXPECT_EQ(f.u32(0x6E), 0u);
    for (const std::size_t o : {0x72, 0x76, 0x82, 0x86, 0x92, 0x96, 0x9C, 0xA0})
        EXPECT_EQ(f.u32(o), 0u) << o;
    EXPECT_EQ(f.u32(0x7A), 6u);
    EXPECT_EQ(f.u32(0x7E), 0x1Bu);
    EXPECT_EQ(f.u32(0x8A), 6u);
    EXPECT_EQ(f.u32(0x8E), 0x1Bu);
    EXPECT_EQ(f.u16(0x9A), 0x13u);
    EXPECT_EQ(f.u32(0xA4), 0u); // documented value: no active-route index
    EXPECT_EQ(f.u16(0xA8), 6u);
    EXPECT_EQ(f.u32(0xAA), 0u);
    EXPECT_TRUE(f.allZero(0x17, 0x2F));
    EXPECT_TRUE(f.allZero(0x33, 0x5B));
    EXPECT_TRUE(f.allZero(0xAE, 0xC4));
    EXPECT_EQ(f.hexdump(0xC4, 18), "01 00 00 00 00 00 02 00 0E 01 00 00 03 00 1C 02 00 00");
    const auto index = readIndex(f, f.u32(0x5B), f.u32(0x61), 6);
    ASSERT_EQ(index.size(), 3u);
    EXPECT_EQ(test::colourAt(f, f.u32(0x66) + index[2].offset + 8), "000003");
    // The file ends with the last icon record.
    EXPECT_EQ(f.u32(0x66) + index[2].offset + 270, f.size());
}

TEST_F(Generators, ExtraPoiRunSaysCreatedThenOpens) {
    run(request(GeneratorKind::ExtraPois, "1", 3));
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Created " + dir.file("out.typ")});
    EXPECT_EQ(launcher.opened, std::vector<std::string>{dir.file("out.typ")});
    ASSERT_GE(ui.progressValues.size(), 2u);
    EXPECT_EQ(ui.progressValues[ui.progressValues.size() - 2], 90.0f);
    EXPECT_EQ(ui.progressValues.back(), 100.0f);
    EXPECT_FALSE(ui.busyOn);
}

TEST_F(Generators, LargestExtraPoiFileKeepsEveryRecord) {
    const TypBytes f = run(request(GeneratorKind::ExtraPois, "1", 32767));
    const std::size_t slot1 = 32767u * 270;
    ASSERT_EQ(f.size(), 0xC4u + 32767 * 6 + slot1);
    EXPECT_GT(f.size(), 7290000u);
    EXPECT_EQ(f.u32(0x6A), slot1);
    const auto index = readIndex(f, f.u32(0x5B), f.u32(0x61), 6);
    ASSERT_EQ(index.size(), 32767u);
    EXPECT_EQ(index.back().code, 32767u);
    EXPECT_EQ(test::colourAt(f, f.u32(0x66) + index.back().offset + 8), "007FFF");
}

TEST_F(Generators, PrebuiltSectionsAreCopiedVerbatimIntoSlotsTwoToFive) {
    dir.write("system/b2", "B2");
    dir.write("system/b3", "B3B3");
    dir.write("system/b5", std::string("\0\x01\x02", 3)); // "b4" missing: slot 4 stays empty
    const TypBytes f = run(request(GeneratorKind::ExtraPois, "10", 1));
    const std::size_t slot1End = 0xC4 + 6 + 270;
    EXPECT_EQ(f.u32(0x72), slot1End);
    EXPECT_EQ(f.u32(0x76), 2u);
    EXPECT_EQ(f.u32(0x82), slot1End + 2);
    EXPECT_EQ(f.u32(0x86), 4u);
    EXPECT_EQ(f.u32(0x92), 0u);
    EXPECT_EQ(f.u32(0x96), 0u);
    EXPECT_EQ(f.u32(0x9C), slot1End + 6);
    EXPECT_EQ(f.u32(0xA0), 3u);
    EXPECT_EQ(f.str(slot1End, 9), std::string("B2B3B3\0\x01\x02", 9));
    EXPECT_EQ(f.size(), slot1End + 9);
    EXPECT_EQ(slots.slot[3], "B3B3");
}

TEST_F(Generators, PrebuiltSectionsStayWhileSlotThreeHoldsAnEarlierLoad) {
    dir.write("system/b2", "B2");
    dir.write("system/b3", "B3");
    run(request(GeneratorKind::ExtraPois, "1", 1));
    dir.write("system/b2", "NEW");
    const TypBytes f = run(request(GeneratorKind::ExtraPois, "1", 1));
    EXPECT_EQ(f.u32(0x76), 2u);
    EXPECT_EQ(slots.slot[2], "B2");
}

TEST_F(Generators, WithoutFlagNoSectionsAreLoadedAndNoIconFlagIsRecorded) {
    dir.write("system/b2", "B2");
    dir.write("system/b3", "B3");
    slots.slot[1] = std::string(270, '\0');
    GeneratorContext c = ctx();
    const GenerateResult r = savetypfile(false, {{5, 0}}, dir.file("out.typ"), c);
    ASSERT_EQ(r.status, GenerateStatus::Written);
    const TypBytes f(readFile(dir.file("out.typ")).value_or(""));
    EXPECT_EQ(f.u8(0x65), 0u);
    EXPECT_EQ(f.u32(0x72), 0u);
    EXPECT_EQ(f.size(), 0xC4u + 6 + 270);
}

TEST_F(Generators, IconFlagOnceRecordedStaysForLaterFiles) {
    run(request(GeneratorKind::ExtraPois, "1", 1));
    EXPECT_EQ(slots.iconSetFlag, 0x0F);
    slots.slot[1].clear();
    GeneratorContext c = ctx();
    ASSERT_EQ(savetypfile(false, {}, dir.file("later.typ"), c).status, GenerateStatus::Written);
    EXPECT_EQ(TypBytes(readFile(dir.file("later.typ")).value_or("")).u8(0x65), 0x0Fu);
}

TEST_F(Generators, FailedWriteKeepsTheOldFileAndOpensNothing) {
    const std::string target = dir.write("out.typ", "old content");
    // A folder where the new file would be written beside the target makes the write fail.
    ASSERT_TRUE(makeFolders(target + ".kestrel-new"));
    for (const GeneratorKind k :
         {GeneratorKind::Pois, GeneratorKind::Lines, GeneratorKind::Polygons,
          GeneratorKind::ActiveRoutes, GeneratorKind::ExtraPois}) {
        GeneratorContext c = ctx();
        const GenerateResult r = runGenerator(request(k, "1", 3), c);
        EXPECT_EQ(r.status, GenerateStatus::WriteFailed);
        EXPECT_EQ(readFile(target).value_or(""), "old content");
    }
    EXPECT_TRUE(launcher.opened.empty());
    EXPECT_TRUE(ui.messages.empty()); // no "Created" for a file that was not written
    EXPECT_FALSE(ui.busyOn);
}

TEST_F(Generators, ExistingFileIsReplacedWhenTheNewOneIsComplete) {
    dir.write("out.typ", std::string(5000, 'x'));
    const TypBytes f = run(request(GeneratorKind::Polygons, "1", 1));
    EXPECT_EQ(f.size(), 91u + 4 + 5);
}

TEST_F(Generators, StopFlagWritesNothing) {
    ui.stopAfterYields(10);
    GeneratorContext c = ctx();
    const GenerateResult r = runGenerator(request(GeneratorKind::ExtraPois, "1", 1000), c);
    EXPECT_EQ(r.status, GenerateStatus::Stopped);
    EXPECT_FALSE(fileExists(dir.file("out.typ")));
    EXPECT_TRUE(launcher.opened.empty());
    EXPECT_FALSE(ui.busyOn);
}

TEST_F(Generators, AStopFlagLeftFromEarlierWorkDoesNotStopANewRun) {
    ui.setStopflag(true);
    run(request(GeneratorKind::Lines, "1", 5));
}

TEST_F(Generators, ASmallerRunAfterALargerOneLeavesNothingOfIt) {
    run(request(GeneratorKind::ExtraPois, "1", 500));
    const std::string second = run(request(GeneratorKind::ExtraPois, "20", 3)).bytes();
    EXPECT_EQ(slots.slot[1].size(), 3u * 270);
    TypSectionSlots fresh;
    test::FakeUi ui2;
    GeneratorContext c{ui2, launcher, fresh, ctx().header, "/app", dir.file("system")};
    GeneratorRequest r = request(GeneratorKind::ExtraPois, "20", 3);
    r.path = dir.file("fresh.typ");
    ASSERT_EQ(runGenerator(r, c).status, GenerateStatus::Written);
    EXPECT_EQ(second, readFile(r.path).value_or(""));
}

TEST_F(Generators, SameInputsGiveTheSameBytes) {
    const std::string a = run(request(GeneratorKind::ExtraPois, "7", 100)).bytes();
    const std::string b = run(request(GeneratorKind::ExtraPois, "7", 100)).bytes();
    EXPECT_EQ(a, b);
}

} // namespace
} // namespace kestrel
