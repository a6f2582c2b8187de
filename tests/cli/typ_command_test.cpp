// `kestrel-cli typ` on real maps: the texts compile with mkgmap as written, draw order and a
// background alone below the rest included (their exact bytes are golden files, see
// golden_test.cpp).
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "app/settings.h"
#include "app/state_file.h"
#include "base/files.h"
#include "support/run_program.h"
#include "support/temp_dir.h"
#include "typtext/compiled_typ_check.h"

namespace kestrel::test {
namespace {

namespace fs = std::filesystem;

struct TypCommand : ::testing::Test {
    TempDir dir;
    std::string state = dir.file("kestrel.dat");
    std::string out = dir.file("out.txt");

    void SetUp() override {
        if (!mkgmapAvailable()) GTEST_SKIP() << "mkgmap is not installed";
    }
    // The text written for the map with the style modes and options given.
    std::string typ(const std::string& map, std::array<int, 3> modes, const std::string& options) {
        Settings s;
        s.kindmode = modes;
        EXPECT_TRUE(savedata(state, s));
        const ProgramRun r = runCli(std::vector<std::string>{"typ", "--seed", "3", "--state", state,
                                                             "-o", out, options, map});
        EXPECT_EQ(r.status, 0) << r.err;
        return readFile(out).value_or("");
    }
};

// The sample map, the committed test maps and the shared public maps.
std::vector<std::string> realMaps() {
    std::set<std::string> maps{std::string(KESTREL_BIN_DIR) + "/test.img"};
    for (const fs::path& root : {fs::path(fixtureDir()) / "maps", fs::path(sharedFixtureDir())}) {
        if (!fs::exists(root)) continue;
        for (const auto& e : fs::recursive_directory_iterator(root))
            if (e.path().extension() == ".img") maps.insert(e.path().string());
    }
    return {maps.begin(), maps.end()};
}

TEST_F(TypCommand, TextsForRealMapsCompileAsWritten) {
    int mode = 0;
    for (const std::string& map : realMaps()) {
        SCOPED_TRACE(map);
        // Alternate the style modes so every form meets real inventories.
        const auto modes = mode++ % 2 == 0 ? std::array<int, 3>{kModeCatalogue, kModeCatalogue, 0}
                                           : std::array<int, 3>{10, 1, 10};
        expectCompilesAsWritten(typ(map, modes, "--highways"));
    }
}

// A block for every type the map uses, standard POIs with their catalogue icons (the exact text is
// the golden typ_shared_std_tdb_complete), compiles with mkgmap.
TEST_F(TypCommand, CompleteTextOfStandardTypesCompilesAsWritten) {
    const fs::path map = fs::path(sharedFixtureDir()) / "std_tdb" / "63240101.img";
    if (!fs::exists(map)) GTEST_SKIP() << "no shared fixtures";
    const std::string text =
        typ(map.string(), {kModeCatalogue, kModeCatalogue, kModeCatalogue}, "--complete");
    EXPECT_EQ(blocksOf(text, "[_point]").size(), 7u);
    expectCompilesAsWritten(text);
}

} // namespace
} // namespace kestrel::test
