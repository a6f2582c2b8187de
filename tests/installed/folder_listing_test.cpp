#include "installed/folder_listing.h"

#include <gtest/gtest.h>

#include "base/platform/platform.h"
#include "support/temp_dir.h"

namespace kestrel::installed {
namespace {

using test::TempDir;

TEST(FolderListing, PatternsMatchWithoutRegardToCase) {
    EXPECT_TRUE(matchesPattern("63240101.IMG", "*.img;*.gmp"));
    EXPECT_TRUE(matchesPattern("a.gmp", "*.img; *.GMP"));
    EXPECT_FALSE(matchesPattern("a.img.txt", "*.img"));
    EXPECT_TRUE(matchesPattern("a.img", "?.i*g"));
    EXPECT_FALSE(matchesPattern("ab.img", "?.img"));
    EXPECT_TRUE(matchesPattern("anything", "*"));
    EXPECT_FALSE(matchesPattern("a.img", ""));
    EXPECT_FALSE(matchesPattern("a.img", ";;"));
    EXPECT_TRUE(matchesPattern("aaaaaaaaab", "*a*a*b"));
}

TEST(FolderListing, ListsFilesAndFoldersSortedWithoutRegardToCase) {
    TempDir dir;
    dir.write("b.img", "");
    dir.write("A.img", "");
    dir.write("c.typ", "");
    dir.write("Sub2/x", "");
    dir.write("sub1/x", "");
    dir.write("folder.img/x", ""); // a folder is no file, whatever its name
    EXPECT_EQ(listFiles(dir.path(), "*.img"), (std::vector<std::string>{"A.img", "b.img"}));
    EXPECT_EQ(listFolders(dir.path()), (std::vector<std::string>{"folder.img", "sub1", "Sub2"}));
    EXPECT_TRUE(listFiles(dir.file("missing"), "*").empty());
    EXPECT_TRUE(listFolders(dir.file("b.img")).empty());
}

TEST(FolderListing, ChildrenAndPathsAreFoundInAnyCase) {
    TempDir dir;
    dir.write("Garmin/Maps/Product1/x.img", "");
    // Windows finds every case itself, so the name asked for is already a path that exists.
    const bool caseless = platform::kSystem == platform::System::Windows;
    const auto found = [&](const char* onDisk, const char* asked) {
        return dir.file(caseless ? asked : onDisk);
    };
    EXPECT_EQ(findChild(dir.path(), "garmin"), found("Garmin", "garmin"));
    EXPECT_EQ(findChild(dir.path(), "Garmin"), dir.file("Garmin"));
    EXPECT_EQ(findChild(dir.path(), "nothing"), "");
    EXPECT_EQ(findChild(dir.path(), ""), "");
    EXPECT_EQ(resolveCaseless(dir.path(), "GARMIN\\maps\\PRODUCT1\\X.IMG"),
              found("Garmin/Maps/Product1/x.img", "GARMIN/maps/PRODUCT1/X.IMG"));
    EXPECT_EQ(resolveCaseless(dir.path(), "garmin/none/./x"),
              found("Garmin/none/x", "garmin/none/x"));
    EXPECT_EQ(resolveCaseless(dir.path(), "garmin/../Garmin"),
              found("Garmin/../Garmin", "garmin/../Garmin"));
}

} // namespace
} // namespace kestrel::installed
