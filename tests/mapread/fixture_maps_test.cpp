// The reader on the real maps built with mkgmap (tests/fixtures/maps, data/test.img): File > Open
// batches leave exactly the inventories, fields and messages that tests/fixtures/maps/README.md
// describes.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "base/files.h"
#include "mapread/map_batch.h"
#include "mapread/style_texts.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"

namespace kestrel {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

const std::string kBinDir = KESTREL_BIN_DIR;
const std::string kMaps = std::string(KESTREL_FIXTURE_DIR) + "/maps";

// A fresh program: no name texts (entries stay unlabelled), draw order unticked, the program
// folder being the build's bin folder (where the sample map lies).
struct Batch {
    MapState map;
    ErrorLog errors;
    StyleTexts styletxt;
    test::FakeUi ui;

    Batch& open(const std::vector<std::string>& paths) {
        MapReadOptions options;
        options.draworder = false;
        options.sampleMap = kBinDir + "/test.img";
        openBatch({map, errors, styletxt, options, ui}, paths);
        return *this;
    }
    Lines list(int kind) const { return entryTexts(map.inventory.list(kind)); }
    Lines levellist() const { return levelLines(map.inventory.list(kPolygons)); }
};

const Lines kSamplePolygons{"0x0100", "0x1300", "0x1700",   "0x3C00",
                            "0x4B00", "0x5000", "0x10D01 ", "0x10F08 "};
const Lines kSampleLines{"0x0100 ", "0x0400 ",  "0x0600 ", "0x1400 ",
                         "0x1F00 ", "0x10801 ", "0x10F04 "};
const Lines kSamplePois{"0x10100 ", "0x10B13 ", "0x11401 ", "0x10100 ", "0x10B13 ", "0x11401 "};

TEST(FixtureMaps, SampleMapBesideTheProgramListsItsTypesWithoutAMessage) {
    Batch b;
    b.open({kBinDir + "/test.img"});
    EXPECT_EQ(b.list(kPolygons), kSamplePolygons);
    EXPECT_EQ(b.list(kLines), kSampleLines);
    EXPECT_EQ(b.list(kPois), kSamplePois);
    EXPECT_EQ(b.map.inventory.polylevels, "201");
    EXPECT_EQ(b.map.inventory.maxlevel, 2);
    EXPECT_EQ(b.map.fields.mapIdLabel, "ID: 63240001");
    EXPECT_TRUE(b.ui.messages.empty());
    EXPECT_EQ(b.map.fields.fid, "1212");
}

TEST(FixtureMaps, SampleMapElsewhereHasNoFid) {
    test::TempDir dir;
    const std::string copy = dir.write("test.img", readFile(kBinDir + "/test.img").value_or(""));
    Batch b;
    b.open({copy});
    EXPECT_EQ(b.list(kPolygons), kSamplePolygons);
    EXPECT_EQ(b.ui.messages, Lines{"Cannot find a FID"});
}

TEST(FixtureMaps, SampleMapIsNamedByTheShippedTexts) {
    Batch b;
    b.styletxt = loadStyleTexts(kBinDir + "/system");
    a_n_p(b.styletxt);
    b.open({kBinDir + "/test.img"});
    EXPECT_EQ(b.list(kPolygons),
              (Lines{"0x0100 large urban area", "0x1300 building or man-made area",
                     "0x1700 city park", "0x3C00 large lake (250-600 km2)", "0x4B00 background",
                     "0x5000 woods", "0x10D01  map container", "0x10F08  allotment gardens"}));
    EXPECT_EQ(b.list(kLines),
              (Lines{"0x0100  major highway", "0x0400  arterial road", "0x0600  residential street",
                     "0x1400  railway", "0x1F00  river", "0x10801  roundabout, trunk road",
                     "0x10F04  hiking route, local"}));
    // 0x10B13 is named through its standard twin 0x2a13, 0x11401 through 0x0100.
    const Lines pois{"0x10100  light", "0x10B13  African", "0x11401  city (over 10 million)"};
    Lines twice = pois;
    twice.insert(twice.end(), pois.begin(), pois.end());
    EXPECT_EQ(b.list(kPois), twice);
}

TEST(FixtureMaps, MixedMapListsStandardAndExtendedTypesOnFourLevels) {
    Batch b;
    b.open({kMaps + "/mixed/63240021.img"});
    EXPECT_EQ(b.list(kPolygons),
              (Lines{"0x0200", "0x0A00", "0x1400", "0x1A00", "0x2800", "0x3C00", "0x4B00", "0x4E00",
                     "0x5100", "0x10101 ", "0x10D03 ", "0x10E10 ", "0x10F08 ", "0x11001 "}));
    EXPECT_EQ(b.list(kLines),
              (Lines{"0x0200 ", "0x0300 ", "0x0600 ", "0x0A00 ", "0x1600 ", "0x1800 ", "0x1C00 ",
                     "0x10802 ", "0x10E02 ", "0x10E07 ", "0x10F05 ", "0x11000 "}));
    EXPECT_EQ(b.list(kPois),
              (Lines{"0x10207 ", "0x10C00 ", "0x10E0A ", "0x11102 ", "0x11401 ", "0x13500 ",
                     "0x11102 ", "0x10C00 ", "0x10207 ", "0x13500 ", "0x10E0A ", "0x11401 "}));
    EXPECT_EQ(b.levellist(),
              (Lines{"0x0200 #3", "0x0A00 #1", "0x1400 #2", "0x1A00 #0", "0x2800 #3", "0x3C00 #1",
                     "0x4B00 #3", "0x4E00 #0", "0x5100 #2", "0x10101  #2", "0x10D03  #0",
                     "0x10E10  #0", "0x10F08  #0", "0x11001  #1"}));
    EXPECT_EQ(b.map.inventory.polylevels, "3120");
    EXPECT_EQ(b.map.inventory.maxlevel, 3);
    EXPECT_EQ(b.map.fields.mapIdLabel, "ID: 63240021");
    EXPECT_EQ(b.ui.messages, Lines{"Cannot find a FID"});
    EXPECT_EQ(b.errors.text(), "");
}

TEST(FixtureMaps, MixedMapTwiceInOneBatchAddsNothingTheSecondTime) {
    Batch once;
    once.open({kMaps + "/mixed/63240021.img"});
    Batch twice;
    twice.open({kMaps + "/mixed/63240021.img", kMaps + "/mixed/63240021.img"});
    for (int kind : {kPolygons, kLines, kPois}) EXPECT_EQ(twice.list(kind), once.list(kind));
}

TEST(FixtureMaps, MaskedCopyOfTheMixedMapReadsTheSame) {
    std::string bytes = readFile(kMaps + "/mixed/63240021.img").value_or("");
    ASSERT_FALSE(bytes.empty());
    ASSERT_EQ(bytes[0], '\0');
    for (char& c : bytes) c = static_cast<char>(c ^ 0x4B);
    test::TempDir dir;
    Batch plain;
    plain.open({kMaps + "/mixed/63240021.img"});
    Batch masked;
    masked.open({dir.write("masked.img", bytes)});
    for (int kind : {kPolygons, kLines, kPois}) EXPECT_EQ(masked.list(kind), plain.list(kind));
    EXPECT_EQ(masked.levellist(), plain.levellist());
}

TEST(FixtureMaps, TwoTileGmapsuppReadsOnlyTheFirstTileAndItsTdb) {
    Batch b;
    b.open({kMaps + "/two_tiles/gmapsupp.img"});
    EXPECT_EQ(b.list(kPolygons), (Lines{"0x0300", "0x1800", "0x4B00"}));
    EXPECT_EQ(b.list(kLines), (Lines{"0x0500 ", "0x1A00 "}));
    EXPECT_TRUE(b.list(kPois).empty());
    EXPECT_EQ(b.map.inventory.polylevels, "10");
    EXPECT_EQ(b.map.fields.mapIdLabel, "ID: 63240031");
    EXPECT_EQ(b.map.fields.fid, "6325");
    EXPECT_EQ(b.map.fields.productCode, "2");
    EXPECT_TRUE(b.ui.messages.empty());
}

TEST(FixtureMaps, TdbBesideTheMapGivesAFamilyIdAbove32767) {
    Batch b;
    b.open({kMaps + "/with_tdb/63240041.img"});
    EXPECT_EQ(b.list(kPolygons), (Lines{"0x0B00", "0x4B00", "0x4C00", "0x11001 "}));
    EXPECT_EQ(b.list(kLines), (Lines{"0x0900 ", "0x2900 ", "0x10E05 "}));
    EXPECT_EQ(b.list(kPois), (Lines{"0x11006 ", "0x11006 "}));
    EXPECT_EQ(b.map.inventory.polylevels, "120");
    EXPECT_EQ(b.map.inventory.maxlevel, 2);
    EXPECT_EQ(b.map.fields.fid, "40000");
    EXPECT_EQ(b.map.fields.productCode, "3");
    EXPECT_TRUE(b.map.fields.fieldsLocked);
    EXPECT_TRUE(b.ui.messages.empty());
}

TEST(FixtureMaps, TdbIsFoundWhenAFolderAboveTheMapBearsItsName) {
    // /…/63240041/maps/63240041.img: the TDB lies in "maps", not where the name first occurs.
    test::TempDir dir;
    const fs::path folder = fs::path(dir.path()) / "63240041" / "maps";
    fs::create_directories(folder);
    fs::copy_file(kMaps + "/with_tdb/63240041.img", folder / "63240041.img");
    fs::copy_file(kMaps + "/with_tdb/withtdb.tdb", folder / "withtdb.tdb");
    Batch b;
    b.open({(folder / "63240041.img").string()});
    EXPECT_EQ(b.map.fields.fid, "40000");
    EXPECT_EQ(b.map.fields.productCode, "3");
    EXPECT_TRUE(b.ui.messages.empty());
}

TEST(FixtureMaps, FolderWithTwoTdbFilesGivesARandomFid) {
    Batch b;
    b.open({kMaps + "/two_tdb/63240051.img"});
    EXPECT_EQ(b.list(kPolygons), (Lines{"0x1900", "0x4B00"}));
    EXPECT_EQ(b.list(kLines), (Lines{"0x0C00 ", "0x10E03 "}));
    EXPECT_EQ(b.list(kPois), (Lines{"0x10F03 ", "0x10F03 "}));
    EXPECT_EQ(b.ui.messages,
              Lines{"Folder contains multiple tdb files.\r\nCannot determine unique FID."});
    const int fid = std::stoi(b.map.fields.fid);
    EXPECT_GE(fid, 2143);
    EXPECT_LE(fid, 8142);
    EXPECT_EQ(b.map.fields.productCode, "");
    EXPECT_FALSE(b.map.fields.fieldsLocked);
}

} // namespace
} // namespace kestrel
