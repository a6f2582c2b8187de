#include "installed/product_selection.h"

#include <gtest/gtest.h>

#include "installed/install_fixture.h"
#include "installed/messages.h"
#include "support/fake_ui.h"

namespace kestrel::installed {
namespace {

using test::TempDir;

class ProductSelectionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // A classic product folder (maps beside a TDB), an NT product (GMP files in subfolders), a
        // package's Product1 folder and a classic family registered without "Product1".
        for (const char* name : {"b.img", "A.IMG", "c.img", "notes.txt", "x.gmp"})
            dir.write("classic/Product1/" + std::string(name), "m");
        dir.write("nt/D2/two.gmp", "g");
        dir.write("nt/D1/one.GMP", "g");
        dir.write("nt/D1/one.img", "i");
        dir.write("nt/top.gmp", "g");
        dir.write("family/63248801.img", "m");
        dir.write("family/sub/readme.txt", "t");
        selection.setProducts(
            {{"Kestrel Lakes", dir.file("classic/Product1"), 888, ProductSource::MapPackages},
             {"City Navigator NT", dir.file("nt"), 1, ProductSource::FamiliesNt},
             {"Old Family", dir.file("family"), 2, ProductSource::Families}});
    }

    TempDir dir;
    test::FakeUi ui;
    ProductSelection selection{ui};
};

// A classic product replaces the NT list; so does a folder without Product1 or GMP subfolders.
TEST_F(ProductSelectionTest, ClassicProductShowsTheImgFilesOfItsFolder) {
    selection.choose(1);
    selection.choose(0);
    EXPECT_FALSE(selection.ntShown());
    EXPECT_TRUE(selection.ntNames().empty());
    EXPECT_EQ(selection.folder(), dir.file("classic/Product1"));
    EXPECT_EQ(selection.patterns(), "*.img");
    EXPECT_EQ(selection.files(), (std::vector<std::string>{"A.IMG", "b.img", "c.img"}));
    selection.choose(7); // no such product: nothing changes
    EXPECT_EQ(selection.chosen(), 0u);
    selection.choose(2);
    EXPECT_FALSE(selection.ntShown());
    EXPECT_EQ(selection.files(), std::vector<std::string>{"63248801.img"});
}

TEST_F(ProductSelectionTest, NtProductShowsTheGmpFilesOfAllItsSubfolders) {
    selection.choose(1);
    ASSERT_TRUE(selection.ntShown());
    EXPECT_EQ(selection.ntNames(), (std::vector<std::string>{"one.GMP", "two.gmp"}));
    EXPECT_EQ(selection.ntPaths(),
              (std::vector<std::string>{dir.file("nt/D1/one.GMP"), dir.file("nt/D2/two.gmp")}));
    const auto paths = selection.open({1, 0});
    ASSERT_TRUE(paths);
    EXPECT_EQ(*paths, selection.ntPaths());
}

TEST_F(ProductSelectionTest, SearchChoosesTheFirstProductContainingTheTextInAnyCase) {
    EXPECT_EQ(selection.search("NAVIGATOR"), 1u);
    EXPECT_TRUE(selection.ntShown());
    EXPECT_EQ(selection.search("l"), 0u); // "Kestrel Lakes" before "Old Family"
    EXPECT_FALSE(selection.search("nowhere"));
    EXPECT_EQ(selection.chosen(), 0u);
}

// Rows that are not in the list select nothing.
TEST_F(ProductSelectionTest, OpenHandsBackTheSelectedFilesInListOrderOrAsksForOne) {
    selection.choose(0);
    EXPECT_EQ(selection.open({2, 0, 1, 2}),
              (std::vector<std::string>{dir.file("classic/Product1/A.IMG"),
                                        dir.file("classic/Product1/b.img"),
                                        dir.file("classic/Product1/c.img")}));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(selection.open({}));
    EXPECT_FALSE(selection.open({99}));
    EXPECT_EQ(ui.messages, std::vector<std::string>(2, "Please select img(s)/gmp(s)."));
}

TEST_F(ProductSelectionTest, BrowsingAFolderListsImgAndGmpFiles) {
    selection.choose(1);
    selection.showFolder(dir.file("classic/Product1"), kPatternMaps);
    EXPECT_FALSE(selection.ntShown());
    EXPECT_EQ(selection.files(), (std::vector<std::string>{"A.IMG", "b.img", "c.img", "x.gmp"}));
    dir.write("classic/Product1/d.img", "m");
    selection.refresh();
    EXPECT_EQ(selection.files().size(), 5u);
    selection.showFolder(dir.file("missing"), kPatternMaps);
    EXPECT_TRUE(selection.files().empty());
}

TEST(StartFolder, LastMapFolderElseProgramFolder) {
    TempDir dir;
    const std::string map = dir.write("maps/a.img", "m");
    EXPECT_EQ(startFolder(map, "/app"), dir.file("maps"));
    EXPECT_EQ(startFolder(dir.file("maps"), "/app"), dir.file("maps"));
    EXPECT_EQ(startFolder(dir.file("gone/a.img"), "/app"), "/app");
    EXPECT_EQ(startFolder("", "/app"), "/app");
}

} // namespace
} // namespace kestrel::installed
