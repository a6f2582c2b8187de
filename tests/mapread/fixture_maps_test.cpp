// The reader on the real maps built with mkgmap (tests/fixtures/maps, data/test.img) where the
// golden scans of `kestrel-cli scan` do not reach: a copied sample map, a map read twice in one
// batch, a TDB in a folder above the map and the random family ID of a folder with two TDBs.
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
};

TEST(FixtureMaps, SampleMapElsewhereHasNoFid) {
    test::TempDir dir;
    const std::string copy = dir.write("test.img", readFile(kBinDir + "/test.img").value_or(""));
    Batch b;
    b.open({copy});
    EXPECT_EQ(b.list(kPolygons).size(), 8u);
    EXPECT_EQ(b.ui.messages, Lines{"Cannot find a FID"});
}

TEST(FixtureMaps, MixedMapTwiceInOneBatchAddsNothingTheSecondTime) {
    Batch once;
    once.open({kMaps + "/mixed/63240021.img"});
    Batch twice;
    twice.open({kMaps + "/mixed/63240021.img", kMaps + "/mixed/63240021.img"});
    for (int kind : {kPolygons, kLines, kPois}) EXPECT_EQ(twice.list(kind), once.list(kind));
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
    EXPECT_TRUE(b.map.fields.fieldsLocked);
    EXPECT_TRUE(b.ui.messages.empty());
}

TEST(FixtureMaps, FolderWithTwoTdbFilesGivesAFidFromTheRandomRange) {
    Batch b;
    b.open({kMaps + "/two_tdb/63240051.img"});
    const int fid = std::stoi(b.map.fields.fid);
    EXPECT_GE(fid, 2143);
    EXPECT_LE(fid, 8142);
    EXPECT_EQ(b.map.fields.productCode, "");
    EXPECT_FALSE(b.map.fields.fieldsLocked);
}

} // namespace
} // namespace kestrel
