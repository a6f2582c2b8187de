#include "base/desktop_launcher.h"

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

#include "base/files.h"
#include "base/platform/posix.h"
#include "support/temp_dir.h"

using namespace kestrel;
using namespace kestrel::platform;
using kestrel::test::TempDir;

namespace {

// Waits (bounded) for a detached program to leave its file behind.
std::string awaitFile(const std::string& path) {
    for (int i = 0; i < 500 && !std::filesystem::exists(path); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    for (int i = 0; i < 100; ++i) {
        const std::string text = readTextIfPresent(path);
        if (!text.empty()) return text;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return {};
}

std::string script(const TempDir& dir, const std::string& name, const std::string& body) {
    const std::string path = dir.write(name, "#!/bin/sh\n" + body + "\n");
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    return path;
}

} // namespace

TEST(LaunchCommand, WindowsPathsUseTheZDrive) {
    EXPECT_EQ(windowsPath("/home/ann/maps/untitled.txt"), "Z:\\home\\ann\\maps\\untitled.txt");
}

TEST(LaunchCommand, NativeProgramsGetTheirArgumentsAsGiven) {
    EXPECT_EQ(launchCommand("/usr/bin/typedit", {"/home/a/x.txt"}),
              (std::vector<std::string>{"/usr/bin/typedit", "/home/a/x.txt"}));
}

TEST(LaunchCommand, WindowsProgramsRunThroughWineWithWindowsPaths) {
    EXPECT_EQ(
        launchCommand("/opt/tinker/TNK5.EXE", {"/home/a/x.txt", "-r", ""}),
        (std::vector<std::string>{"wine", "/opt/tinker/TNK5.EXE", "Z:\\home\\a\\x.txt", "-r", ""}));
}

TEST(SpawnDetached, StartsTheProgramWithArgumentsInItsWorkingFolder) {
    TempDir dir;
    std::filesystem::create_directory(dir.file("work"));
    const std::string prog =
        script(dir, "record.sh", "printf '%s|%s|%s' \"$PWD\" \"$1\" \"$2\" > out.txt");
    // An argument with blanks and a shell character arrives as one argument: no shell between.
    ASSERT_TRUE(spawnDetached({prog, "a b", "$HOME;x"}, dir.file("work")));
    EXPECT_EQ(awaitFile(dir.file("work/out.txt")),
              std::filesystem::canonical(dir.file("work")).string() + "|a b|$HOME;x");
}

TEST(SpawnDetached, ReportsProgramsThatCannotStart) {
    TempDir dir;
    EXPECT_FALSE(spawnDetached({dir.file("missing")}, dir.path()));
    EXPECT_FALSE(spawnDetached({"kestrel-no-such-program-anywhere"}, dir.path()));
    EXPECT_FALSE(spawnDetached({dir.write("plain.txt", "text")}, dir.path()));
    const std::string prog = script(dir, "ok.sh", "true");
    EXPECT_FALSE(spawnDetached({prog}, dir.file("no-such-folder")));
    EXPECT_FALSE(spawnDetached({}, dir.path()));
}

TEST(DesktopLauncher, OpensThroughTheDefaultHandler) {
    TempDir dir;
    const std::string opener = script(dir, "opener.sh", "printf '%s' \"$1\" > \"$PWD/opened\"");
    DesktopLauncher launcher(opener);
    ASSERT_TRUE(launcher.openDefault(dir.file("a b.typ"), dir.path()));
    EXPECT_EQ(awaitFile(dir.file("opened")), dir.file("a b.typ"));
}

TEST(DesktopLauncher, StartsNativeProgramsDirectly) {
    TempDir dir;
    const std::string prog = script(dir, "editor", "printf '%s' \"$1\" > \"$PWD/edited\"");
    DesktopLauncher launcher;
    ASSERT_TRUE(launcher.start(prog, {dir.file("untitled.txt")}, dir.path()));
    EXPECT_EQ(awaitFile(dir.file("edited")), dir.file("untitled.txt"));
}
