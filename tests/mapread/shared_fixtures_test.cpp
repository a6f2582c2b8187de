// Every real map of the shared fixture folder, read as its expected file says, against the
// expected lists, labels, fields and messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "base/files.h"
#include "base/paths.h"
#include "base/text.h"
#include "mapread/map_batch.h"
#include "mapread/read_helpers.h"
#include "support/json_reader.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace kestrel::test {
namespace {

std::vector<std::string> expectedFiles() {
    std::vector<std::string> r;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(sharedFixtureDir(), ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string p = it->path().string();
        if (endsWith(p, ".expected.json")) r.push_back(p);
    }
    std::sort(r.begin(), r.end());
    return r;
}

void checkAgainst(const std::string& expectedPath) {
    SCOPED_TRACE(expectedPath);
    const auto parsed = Json::parse(readFile(expectedPath).value_or(""));
    ASSERT_TRUE(parsed);
    const Json& e = *parsed;
    const Json& o = e["options"];
    const std::string folder = folderOf(expectedPath, "");

    Reading r;
    TempDir emptyData;
    const std::string styles =
        o["styles"].isNull() ? emptyData.path() : joinPath(sharedFixtureDir(), o["styles"].string);
    r.styletxt = loadStyleTexts(styles);
    a_n_p(r.styletxt);
    r.options.highways = o["highways"].boolean;
    r.options.draworder = o["draworder"].boolean;
    std::vector<std::string> maps;
    for (const std::string& m : e["maps"].strings()) maps.push_back(joinPath(folder, m));
    r.open(maps);

    const TypeInventory& inv = r.map.inventory;
    EXPECT_EQ(r.polygons(), e["polygons"].strings());
    EXPECT_EQ(r.lines(), e["lines"].strings());
    EXPECT_EQ(r.pois(), e["pois"].strings());
    EXPECT_EQ(
        (std::vector<std::string>{inv.caption(kPolygons), inv.caption(kLines), inv.caption(kPois)}),
        e["captions"].strings());
    EXPECT_EQ(r.levellist(), e["levellist"].strings());
    EXPECT_EQ(inv.polylevels, e["polylevels"].string);
    EXPECT_EQ(inv.maxlevel, static_cast<int>(e["maxlevel"].number));
    const MapFields& f = r.map.fields;
    EXPECT_EQ(f.mapIdLabel, e["map_id_label"].isNull() ? "" : e["map_id_label"].string);
    EXPECT_EQ(f.ntMarker, e["nt_marker"].boolean);
    EXPECT_EQ(r.ui.messages, e["messages"].strings());
    if (e["fid"].isNull()) {
        const auto& range = e["fid_random_range"].array;
        ASSERT_EQ(range.size(), 2u);
        const int fid = std::stoi(f.fid);
        EXPECT_GE(fid, static_cast<int>(range[0].number));
        EXPECT_LE(fid, static_cast<int>(range[1].number));
    } else {
        EXPECT_EQ(f.fid, e["fid"].string);
    }
    EXPECT_EQ(f.productCode, e["product_code"].string);
    EXPECT_EQ(f.fieldsLocked, e["fields_locked"].boolean);
    EXPECT_EQ(fileName(f.tdbFile), e["tdb_file"].isNull() ? "" : e["tdb_file"].string);
    EXPECT_EQ(r.errors.text(), e["error_log"].string);
}

TEST(SharedFixtures, EveryMapReadsAsExpected) {
    const auto files = expectedFiles();
    if (files.empty()) GTEST_SKIP() << "no shared fixtures at " << sharedFixtureDir();
    for (const std::string& f : files) checkAgainst(f);
}

} // namespace
} // namespace kestrel::test
