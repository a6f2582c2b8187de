// The generators as the desktop program runs them: what they open and say, the section slots kept
// between runs, failed writes and the stop flag. The bytes of their files are golden files
// (tests/data/golden/gen_*).
#include "typbin/generators.h"

#include <gtest/gtest.h>

#include "base/files.h"
#include "base/paths.h"
#include "support/fake_launcher.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"
#include "support/typ_test_reader.h"

namespace kestrel {
namespace {

using test::TypBytes;

class Generators : public ::testing::Test {
  protected:
    GeneratorContext ctx() {
        return {ui,     launcher,          slots, {typ::DateTime{2026, 12, 5, 14, 7, 9}, 1252},
                "/app", dir.file("system")};
    }
    GeneratorRequest request(GeneratorKind kind, std::string start, std::uint32_t count) {
        return {kind, std::move(start), count, dir.file("out.typ"), false, 4};
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

TEST_F(Generators, NumberedFilesAreOpenedWithoutAMessage) {
    run(request(GeneratorKind::ActiveRoutes, "1", 200));
    EXPECT_EQ(launcher.opened, std::vector<std::string>{dir.file("out.typ")});
    EXPECT_TRUE(ui.messages.empty());
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
    const std::size_t slot1 = 32767u * 270; // beyond the old 7,290,000-byte ceiling
    ASSERT_EQ(f.size(), 0xC4u + 32767 * 6 + slot1);
    EXPECT_EQ(f.u32(0x6A), slot1);
    // The last index item: ID (2 bytes) and offset (4) of the last icon, whose colour spells it.
    const std::uint32_t last = f.u32(0x5B) + f.u32(0x61) - 6;
    EXPECT_EQ(f.u32(0x61), 32767u * 6);
    EXPECT_EQ(f.u16(last), 32767u);
    EXPECT_EQ(test::colourAt(f, f.u32(0x66) + f.u32(last + 2) + 8), "007FFF");
}

TEST_F(Generators, PrebuiltSectionsStayWhileSlotThreeHoldsAnEarlierLoad) {
    dir.write("system/b2", "B2");
    dir.write("system/b3", "B3B3");
    run(request(GeneratorKind::ExtraPois, "1", 1));
    EXPECT_EQ(slots.slot[3], "B3B3");
    dir.write("system/b2", "NEW");
    const TypBytes f = run(request(GeneratorKind::ExtraPois, "1", 1));
    EXPECT_EQ(f.u32(0x76), 2u);
    EXPECT_EQ(slots.slot[2], "B2");
}

TEST_F(Generators, WithoutFlagNoSectionsAreLoadedAndTheIconFlagStays) {
    dir.write("system/b2", "B2");
    slots.slot[1] = std::string(270, '\0');
    GeneratorContext c = ctx();
    ASSERT_EQ(savetypfile(false, {{5, 0}}, dir.file("a.typ"), c).status, GenerateStatus::Written);
    const TypBytes a(readFile(dir.file("a.typ")).value_or(""));
    EXPECT_EQ(a.u8(0x65), 0u);
    EXPECT_EQ(a.u32(0x72), 0u);
    EXPECT_EQ(a.size(), 0xC4u + 6 + 270);
    // Once a run with the flag recorded it, later files carry it.
    run(request(GeneratorKind::ExtraPois, "1", 1));
    EXPECT_EQ(slots.iconSetFlag, 0x0F);
    slots.slot[1].clear();
    ASSERT_EQ(savetypfile(false, {}, dir.file("b.typ"), c).status, GenerateStatus::Written);
    EXPECT_EQ(TypBytes(readFile(dir.file("b.typ")).value_or("")).u8(0x65), 0x0Fu);
}

TEST_F(Generators, ASmallerRunAfterALargerOneLeavesNothingOfIt) {
    run(request(GeneratorKind::ExtraPois, "1", 500));
    const std::string second = run(request(GeneratorKind::ExtraPois, "20", 3)).bytes();
    EXPECT_EQ(slots.slot[1].size(), 3u * 270);
    TypSectionSlots fresh;
    GeneratorContext c{ui, launcher, fresh, ctx().header, "/app", dir.file("system")};
    GeneratorRequest r = request(GeneratorKind::ExtraPois, "20", 3);
    r.path = dir.file("fresh.typ");
    ASSERT_EQ(runGenerator(r, c).status, GenerateStatus::Written);
    EXPECT_EQ(second, readFile(r.path).value_or(""));
}

TEST_F(Generators, FailedWriteKeepsTheOldFileAndOpensNothing) {
    const std::string target = dir.write("out.typ", "old content");
    // A folder where the new file would be written beside the target makes the write fail.
    ASSERT_TRUE(makeFolders(target + ".kestrel-new"));
    for (const GeneratorKind k :
         {GeneratorKind::Pois, GeneratorKind::Lines, GeneratorKind::Polygons,
          GeneratorKind::ActiveRoutes, GeneratorKind::ExtraPois}) {
        GeneratorContext c = ctx();
        EXPECT_EQ(runGenerator(request(k, "1", 3), c).status, GenerateStatus::WriteFailed);
        EXPECT_EQ(readFile(target).value_or(""), "old content");
    }
    EXPECT_TRUE(launcher.opened.empty());
    EXPECT_TRUE(ui.messages.empty()); // no "Created" for a file that was not written
    EXPECT_FALSE(ui.busyOn);
}

TEST_F(Generators, StopFlagWritesNothingButAnOldOneStopsNoNewRun) {
    ui.setStopflag(true);
    run(request(GeneratorKind::Lines, "1", 5));
    ui.stopAfterYields(10);
    GeneratorContext c = ctx();
    const GenerateResult r = runGenerator(request(GeneratorKind::ExtraPois, "1", 1000), c);
    EXPECT_EQ(r.status, GenerateStatus::Stopped);
    EXPECT_EQ(readFile(dir.file("out.typ")).value_or("").size(), 91u + 5 * 6 + 5 * 5);
    EXPECT_EQ(launcher.opened.size(), 1u);
    EXPECT_FALSE(ui.busyOn);
}

} // namespace
} // namespace kestrel
