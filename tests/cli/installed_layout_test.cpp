// `kestrel-cli` installed as a package installs it: the program in bin/, its data in
// share/kestrel/ beside it. It finds that data, takes its own copy into the user's folder and
// writes nothing beside the program, even where it may (root running /usr/bin/kestrel-cli).
#include <gtest/gtest.h>

#include <filesystem>

#include "app/settings.h"
#include "app/state_file.h"
#include "base/files.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

namespace kestrel::test {
namespace {

namespace fs = std::filesystem;

TEST(InstalledLayout, ProgramFindsTheDataInstalledBesideIt) {
    TempDir dir;
    const fs::path built(KESTREL_BIN_DIR);
    const fs::path prefix(dir.file("usr"));
    fs::create_directories(prefix / "bin");
    fs::create_directories(prefix / "share/kestrel");
    fs::copy_file(KESTREL_CLI_PROGRAM, prefix / "bin/kestrel-cli");
    fs::copy(built / "system", prefix / "share/kestrel/system", fs::copy_options::recursive);
    fs::copy_file(built / "test.img", prefix / "share/kestrel/test.img");
    const std::string state = dir.file("kestrel.dat");
    ASSERT_TRUE(savedata(state, Settings{}));
    const auto typ = words("typ --seed 3 --fid 1 -o - --state") + std::vector{state};

    const ProgramRun installed =
        runProgram(std::vector{(prefix / "bin/kestrel-cli").string()} + typ +
                       std::vector{(prefix / "share/kestrel/test.img").string()},
                   {{"XDG_DATA_HOME", dir.file("data")}, {"XDG_CONFIG_HOME", dir.file("config")}});
    const ProgramRun portable = runCli(typ + std::vector{(built / "test.img").string()});

    ASSERT_EQ(installed.status, 0) << installed.err;
    EXPECT_TRUE(installed.out == portable.out) << "the text differs from the portable run's";
    EXPECT_TRUE(fs::exists(dir.file("data/kestrel/system/polygons_.txt")));
    EXPECT_FALSE(fs::exists(prefix / "bin/system"));
}

} // namespace
} // namespace kestrel::test
