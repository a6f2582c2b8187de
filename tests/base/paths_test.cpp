#include "base/paths.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

using namespace kestrel;

TEST(Paths, BaseNameTreatsBothSeparatorsAlikeAndCutsAtTheFirstDot) {
    EXPECT_EQ(baseName("/home/m/maps/m.img"), "m");
    EXPECT_EQ(baseName("c:\\maps\\a.b.img"), "a");
    EXPECT_EQ(baseName("c:/maps/a.b.img"), "a");
}

TEST(Paths, FolderOfFallsBackToTheProgramFolder) {
    EXPECT_EQ(folderOf("/a/b/c.img", "/app"), normalisePath("/a/b"));
    EXPECT_EQ(folderOf("/a/b/", "/app"), "/app");
    EXPECT_EQ(folderOf("/a/b/*.img", "/app"), "/app");
}

TEST(Paths, PathPartModes) {
    EXPECT_EQ(pathPart("/x/y.d/z.img", 0), "z.img");
    EXPECT_EQ(pathPart("/x/y.d/z.b.img", 1), "z");
    EXPECT_EQ(pathPart("/x/y/z.img", 2), normalisePath("/x/y/"));
    EXPECT_EQ(pathPart("/x/y.d/z/w.img", 222), normalisePath("x/z/"));
}

TEST(Paths, ChkdirCreatesFoldersUpToTheFileName) {
    test::TempDir dir;
    const std::string target = dir.path() + "/a/b/out.txt";
    EXPECT_TRUE(chkdir(target));
    EXPECT_TRUE(folderExists(dir.path() + "/a/b"));
    EXPECT_FALSE(folderExists(target));
}

// Characters, not bytes: "Ü" and "日" are one each, and never cut in two.
TEST(Paths, ShortenedPathLeavesOutTheMiddleCharacters) {
    const std::pair<std::string, std::string> cases[] = {
        {"/maps/a.img", "/maps/a.img"},
        {"/maps/abc.img", "/maps/abc.img"},       // 13 characters: as it is
        {"/maps/abcd.img", "/map\u2026abcd.img"}, // 14: the first 4 and the last 8
        {"/Übersicht/日本.img", "/Übe\u2026t/日本.img"},
    };
    for (const auto& [path, shown] : cases) EXPECT_EQ(shortenedPath(path, 13), shown) << path;
}
