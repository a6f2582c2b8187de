// Every real map of the shared fixture folder, read as its expected file says, against the
// expected lists, labels, fields and messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "base/files.h"
#include "base/paths.h"
#include "base/text.h"
#include "mapread/map_batch.h"
#include "mapread/read_helpers.h"
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
    const auto e = nlohmann::json::parse(readFile(expectedPath).value_or(""), nullptr, false);
    ASSERT_FALSE(e.is_discarded());
    const auto& o = e["options"];
    using Strings = std::vector<std::string>;
    const std::string folder = folderOf(expectedPath, "");

    Reading r;
    TempDir emptyData;
    const std::string styles = o["styles"].is_null()
                                   ? emptyData.path()
                                   : joinPath(sharedFixtureDir(), o["styles"].get<std::string>());
    r.styletxt = loadStyleTexts(styles);
    a_n_p(r.styletxt);
    r.options.highways = o["highways"].get<bool>();
    r.options.draworder = o["draworder"].get<bool>();
    std::vector<std::string> maps;
    for (const std::string& m : e["maps"].get<Strings>()) maps.push_back(joinPath(folder, m));
    r.open(maps);

    const TypeInventory& inv = r.map.inventory;
    EXPECT_EQ(r.polygons(), e["polygons"].get<Strings>());
    EXPECT_EQ(r.lines(), e["lines"].get<Strings>());
    EXPECT_EQ(r.pois(), e["pois"].get<Strings>());
    EXPECT_EQ(
        (std::vector<std::string>{inv.caption(kPolygons), inv.caption(kLines), inv.caption(kPois)}),
        e["captions"].get<Strings>());
    EXPECT_EQ(r.levellist(), e["levellist"].get<Strings>());
    EXPECT_EQ(inv.polylevels, e["polylevels"].get<std::string>());
    EXPECT_EQ(inv.maxlevel, e["maxlevel"].get<int>());
    const MapFields& f = r.map.fields;
    EXPECT_EQ(f.mapIdLabel,
              e["map_id_label"].is_null() ? "" : e["map_id_label"].get<std::string>());
    EXPECT_EQ(f.ntMarker, e["nt_marker"].get<bool>());
    EXPECT_EQ(r.ui.messages, e["messages"].get<Strings>());
    if (e["fid"].is_null()) {
        const auto& range = e["fid_random_range"];
        ASSERT_EQ(range.size(), 2u);
        const int fid = std::stoi(f.fid);
        EXPECT_GE(fid, range[0].get<int>());
        EXPECT_LE(fid, range[1].get<int>());
    } else {
        EXPECT_EQ(f.fid, e["fid"].get<std::string>());
    }
    EXPECT_EQ(f.productCode, e["product_code"].get<std::string>());
    EXPECT_EQ(f.fieldsLocked, e["fields_locked"].get<bool>());
    EXPECT_EQ(fileName(f.tdbFile), e["tdb_file"].is_null() ? "" : e["tdb_file"].get<std::string>());
    EXPECT_EQ(r.errors.text(), e["error_log"].get<std::string>());
}

TEST(SharedFixtures, EveryMapReadsAsExpected) {
    const auto files = expectedFiles();
    if (files.empty()) GTEST_SKIP() << "no shared fixtures at " << sharedFixtureDir();
    for (const std::string& f : files) checkAgainst(f);
}

} // namespace
} // namespace kestrel::test
