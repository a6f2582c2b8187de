// Files that are no maps, on Linux and macOS (FIFOs, devices, permissions): each is refused before
// anything is read, with its reason, and the reason's text.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "base/files.h"
#include "mapread/complete_scan.h"
#include "mapread/read_helpers.h"
#include "mapread/split_search.h"
#include "mapread/unreadable.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"

namespace kestrel::test {
namespace {

namespace fs = std::filesystem;
using R = UnreadableReason;

// Reads the path as a batch of one and returns why it gave nothing (nothing when it was read).
std::optional<Unreadable> readAlone(const std::string& path) {
    Reading r;
    r.open({path});
    EXPECT_EQ(r.map.container.filesRead, r.map.unreadable.empty() ? 1 : 0) << path;
    if (r.map.unreadable.empty()) return std::nullopt;
    EXPECT_EQ(r.map.unreadable.size(), 1u);
    EXPECT_EQ(r.map.unreadable[0].path, path);
    return r.map.unreadable[0].why;
}

TEST(Unreadable, EachFileThatIsNoMapSaysWhy) {
    // A FIFO would block an open that waits for a writer: the alarm ends such a test.
    alarm(20);
    TempDir dir;
    fs::create_directory(dir.file("folder.img"));
    ASSERT_EQ(mkfifo(dir.file("pipe.img").c_str(), 0600), 0);
    const std::string map = fixtureDir() + "/maps/mixed/63240021.img";
    struct stat zero {};
    ASSERT_TRUE(stat("/dev/zero", &zero) == 0 && S_ISCHR(zero.st_mode)) << "no /dev/zero device";
    struct Row {
        std::string path;
        std::optional<R> reason;
        const char* text;
    };
    // A missing file, a folder, a FIFO and an empty file are golden row scan_some_unreadable.
    const Row rows[] = {
        {"/dev/zero", R::NotRegularFile, "not a regular file"},
        {dir.write("text.img", "GARMIN RGN, said the note\n"), R::NoMapData,
         "no Garmin map data in it"},
        {dir.write("map.img", readFile(map).value_or("")), std::nullopt, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.path);
        const std::optional<Unreadable> why = readAlone(row.path);
        ASSERT_EQ(why.has_value(), row.reason.has_value());
        if (!why) continue;
        EXPECT_EQ(why->reason, *row.reason);
        EXPECT_EQ(describe(*why), row.text);
    }
    EXPECT_EQ(describe({R::SystemError, "Input/output error"}), "Input/output error");
    // The other files the program reads are refused alike.
    for (const std::string& path :
         {dir.file("pipe.img"), dir.file("folder.img"), std::string("/dev/zero")}) {
        EXPECT_EQ(readFile(path), std::nullopt) << path;
        EXPECT_EQ(readFileHead(path, 4), std::nullopt) << path;
    }
    EXPECT_EQ(readFileHead(map, 12), readFile(map).value_or("").substr(0, 12));
    EXPECT_EQ(readFileHead(dir.file("text.img"), 99), "GARMIN RGN, said the note\n");
    alarm(0);
}

TEST(Unreadable, AFileWeMayNotReadIsDeniedAlsoToRoot) {
    TempDir dir;
    const std::string path = dir.write("secret.img", "GARMIN RGN GARMIN TRE");
    fs::permissions(dir.path(), fs::perms::all);
    fs::permissions(path, fs::perms::none);
    // Root reads anything: the check runs as nobody then.
    EXPECT_EXIT(
        {
            if (geteuid() == 0 && setuid(65534) != 0) _exit(2);
            const auto why = MapBuffer().open(path);
            _exit(why && why->reason == R::PermissionDenied ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(Unreadable, AMappedFileThatShrinksReadsAsZerosPastItsNewEnd) {
    TempDir dir;
    const std::string path = dir.write("shrinking.img", std::string(1 << 16, '\x7F'));
    MapBuffer b;
    ASSERT_EQ(b.open(path), std::nullopt);
    EXPECT_EQ(b.dat(40000), 0x7F);
    ASSERT_EQ(truncate(path.c_str(), 100), 0);
    EXPECT_EQ(b.dat(50), 0x7F);
    EXPECT_EQ(b.dat(40000), 0);
    EXPECT_EQ(b.dat(65535), 0);
    EXPECT_EQ(b.size(), 1 << 16);
}

// The passes over every byte copy the file: one that shrinks meanwhile ends them early, finding
// nothing past its new end; the search on two threads leaves it to the pass front to back.
TEST(Unreadable, PassesOverAFileThatShrankEndAtItsNewEnd) {
    TempDir dir;
    std::string bytes(1 << 20, '\x7F');
    bytes.replace(600000, 10, "GARMIN TRE");
    const std::string path = dir.write("shrinking.img", bytes);
    MapBuffer b;
    ASSERT_EQ(b.open(path), std::nullopt);
    FakeUi ui;
    EXPECT_EQ(b.findSignatures(ui).tre, 600000);
    ASSERT_EQ(truncate(path.c_str(), 100), 0);
    EXPECT_EQ(b.findSignatures(ui).tre, -1);
    EXPECT_FALSE(findSignaturesSplit(b, ui, 4096).has_value());
    SignatureSearch search(0);
    EXPECT_TRUE(CompleteScan::run(b, ui, &search).notes.size() == 1);
    EXPECT_EQ(search.found().tre, -1);
}

} // namespace
} // namespace kestrel::test
