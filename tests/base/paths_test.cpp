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
