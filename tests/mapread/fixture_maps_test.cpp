// The reader on the real maps built with mkgmap (tests/fixtures/maps, data/test.img) where the
// golden scans of `kestrel-cli scan` do not reach: a copied sample map and a map read twice in one
// batch. Where TDB files are looked for is tested with byte-built ones (tdb_test.cpp).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/files.h"
#include "mapread/map_batch.h"
#include "mapread/style_texts.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"

namespace kestrel {
namespace {

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

} // namespace
} // namespace kestrel
