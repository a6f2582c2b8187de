// The reader on the real maps built with mkgmap (tests/fixtures/maps, data/test.img) where the
// golden scans of `kestrel-cli scan` do not reach: a copied sample map and a map read twice in one
// batch. Where TDB files are looked for is tested with byte-built ones (tdb_test.cpp).
#include <gtest/gtest.h>

#include "base/files.h"
#include "mapread/read_helpers.h"
#include "support/temp_dir.h"

namespace kestrel::test {
namespace {

const std::string kBinDir = KESTREL_BIN_DIR;
const std::string kMixed = std::string(KESTREL_FIXTURE_DIR) + "/maps/mixed/63240021.img";

TEST(FixtureMaps, SampleMapElsewhereHasNoFid) {
    TempDir dir;
    Reading r;
    r.options.sampleMap = kBinDir + "/test.img";
    r.open({dir.write("test.img", readFile(kBinDir + "/test.img").value_or(""))});
    EXPECT_EQ(r.polygons().size(), 8u);
    EXPECT_EQ(r.ui.messages, std::vector<std::string>{"Cannot find a FID"});
}

TEST(FixtureMaps, MixedMapTwiceInOneBatchAddsNothingTheSecondTime) {
    Reading once, twice;
    once.open({kMixed});
    twice.open({kMixed, kMixed});
    EXPECT_EQ(twice.polygons(), once.polygons());
    EXPECT_EQ(twice.lines(), once.lines());
    EXPECT_EQ(twice.pois(), once.pois());
}

} // namespace
} // namespace kestrel::test
