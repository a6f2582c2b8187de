// The real maps compiled with mkgmap that the repository keeps (tests/fixtures/maps and the
// sample map), read as one File > Open batch each.
#include <gtest/gtest.h>

#include "app/files.h"
#include "app/paths.h"
#include "mapread/map_batch.h"
#include "mapread/messages.h"
#include "mapread/read_helpers.h"
#include "support/temp_dir.h"

namespace kestrel::test {
namespace {

using V = std::vector<std::string>;

std::string mapPath(const std::string& name) {
    return joinPath(fixtureDir(), "maps/" + name);
}

Reading& openOne(Reading& r, const std::string& path) {
    openBatch(r.session, r.ui, {path});
    return r;
}

TEST(CommittedMaps, MixedMapListsEveryOverviewAndRgnType) {
    Reading r;
    openOne(r, mapPath("mixed/63240021.img"));
    EXPECT_EQ(r.polygons(),
              (V{"0x0200", "0x0A00", "0x1400", "0x1A00", "0x2800", "0x3C00", "0x4B00", "0x4E00",
                 "0x5100", "0x10101 ", "0x10D03 ", "0x10E10 ", "0x10F08 ", "0x11001 "}));
    EXPECT_EQ(r.lines(),
              (V{"0x0200 ", "0x0300 ", "0x0600 ", "0x0A00 ", "0x1600 ", "0x1800 ", "0x1C00 ",
                 "0x10802 ", "0x10E02 ", "0x10E07 ", "0x10F05 ", "0x11000 "}));
    ASSERT_EQ(r.pois().size(), 12u);
    EXPECT_EQ(r.pois()[0], "0x10207 ");
    EXPECT_EQ(r.pois()[6], "0x11102 ");
    EXPECT_EQ(r.levellist(), (V{"0x0200 #3", "0x0A00 #1", "0x1400 #2", "0x1A00 #0", "0x2800 #3",
                                "0x3C00 #1", "0x4B00 #3", "0x4E00 #0", "0x5100 #2", "0x10101  #2",
                                "0x10D03  #0", "0x10E10  #0", "0x10F08  #0", "0x11001  #1"}));
    EXPECT_EQ(r.session.inventory.polylevels, "3120");
    EXPECT_EQ(r.session.inventory.maxlevel, 3);
    EXPECT_EQ(r.session.fields.mapIdLabel, "ID: 63240021");
    EXPECT_EQ(r.ui.messages, (V{std::string(msg::kNoFid)}));
}

TEST(CommittedMaps, TwoTileContainerReadsOnlyTheFirstTileAndItsTdb) {
    Reading r;
    openOne(r, mapPath("two_tiles/gmapsupp.img"));
    EXPECT_EQ(r.polygons(), (V{"0x0300", "0x1800", "0x4B00"}));
    EXPECT_EQ(r.lines(), (V{"0x0500 ", "0x1A00 "}));
    EXPECT_TRUE(r.pois().empty());
    EXPECT_EQ(r.session.fields.mapIdLabel, "ID: 63240031");
    EXPECT_EQ(r.session.fields.fid, "6325");
    EXPECT_EQ(r.session.fields.productCode, "2");
    EXPECT_TRUE(r.session.fields.fieldsLocked);
    EXPECT_TRUE(r.ui.messages.empty());
}

TEST(CommittedMaps, TdbFamilyAbove32767IsReadUnsigned) {
    Reading r;
    openOne(r, mapPath("with_tdb/63240041.img"));
    EXPECT_EQ(r.polygons(), (V{"0x0B00", "0x4B00", "0x4C00", "0x11001 "}));
    EXPECT_EQ(r.lines(), (V{"0x0900 ", "0x2900 ", "0x10E05 "}));
    EXPECT_EQ(r.pois(), (V{"0x11006 ", "0x11006 "}));
    EXPECT_EQ(r.session.inventory.polylevels, "120");
    EXPECT_EQ(r.session.fields.fid, "40000");
    EXPECT_EQ(r.session.fields.productCode, "3");
    EXPECT_TRUE(r.ui.messages.empty());
}

TEST(CommittedMaps, FolderWithTwoTdbFilesGivesARandomFid) {
    Reading r;
    r.session.fields.productCode = "9";
    openOne(r, mapPath("two_tdb/63240051.img"));
    EXPECT_EQ(r.polygons(), (V{"0x1900", "0x4B00"}));
    EXPECT_EQ(r.lines(), (V{"0x0C00 ", "0x10E03 "}));
    EXPECT_EQ(r.pois(), (V{"0x10F03 ", "0x10F03 "}));
    EXPECT_EQ(r.ui.messages, (V{std::string(msg::kMultipleTdb)}));
    const int fid = std::stoi(r.session.fields.fid);
    EXPECT_GE(fid, 2143);
    EXPECT_LE(fid, 8142);
    EXPECT_EQ(r.session.fields.productCode, "9");
    EXPECT_FALSE(r.session.fields.fieldsLocked);
}

TEST(CommittedMaps, SampleMapIsSilentOnlyWhereTheProgramKeepsIt) {
    const std::string sample = joinPath(folderOf(fixtureDir(), ""), "../data/test.img");
    if (!fileExists(sample)) GTEST_SKIP() << "no sample map";
    Reading elsewhere;
    openOne(elsewhere, sample);
    EXPECT_EQ(elsewhere.ui.messages, (V{std::string(msg::kNoFid)}));
    EXPECT_EQ(elsewhere.polygons(), (V{"0x0100", "0x1300", "0x1700", "0x3C00", "0x4B00", "0x5000",
                                       "0x10D01 ", "0x10F08 "}));
    EXPECT_EQ(elsewhere.session.fields.mapIdLabel, "ID: 63240001");
    Reading asSample;
    asSample.session.paths.sampleMap = sample;
    openOne(asSample, sample);
    EXPECT_TRUE(asSample.ui.messages.empty());
}

TEST(CommittedMaps, MaskedCopyOfARealMapReadsTheSame) {
    const std::string plain = readFile(mapPath("mixed/63240021.img")).value_or("");
    ASSERT_FALSE(plain.empty());
    ASSERT_EQ(plain[0], '\0');
    std::string masked = plain;
    for (char& c : masked) c = static_cast<char>(c ^ 0x5C);
    TempDir dir;
    Reading a, b;
    openOne(a, mapPath("mixed/63240021.img"));
    openOne(b, dir.write("masked.img", masked));
    EXPECT_EQ(a.polygons(), b.polygons());
    EXPECT_EQ(a.lines(), b.lines());
    EXPECT_EQ(a.pois(), b.pois());
}

} // namespace
} // namespace kestrel::test
