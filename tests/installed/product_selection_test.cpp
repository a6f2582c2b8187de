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
            {{"Kestrel Lakes", dir.path() + "/classic/Product1", 888, ProductSource::MapPackages},
             {"City Navigator NT", dir.path() + "/nt", 1, ProductSource::FamiliesNt},
             {"Old Family", dir.path() + "/family", 2, ProductSource::Families}});
    }

    TempDir dir;
    test::FakeUi ui;
    ProductSelection selection{ui};
};

TEST_F(ProductSelectionTest, ClassicProductShowsTheImgFilesOfItsFolder) {
    selection.choose(0);
    EXPECT_FALSE(selection.ntShown());
    EXPECT_EQ(selection.chosen(), 0u);
    EXPECT_EQ(selection.folder(), dir.path() + "/classic/Product1");
    EXPECT_EQ(selection.patterns(), "*.img");
    EXPECT_EQ(selection.files(), (std::vector<std::string>{"A.IMG", "b.img", "c.img"}));
}

TEST_F(ProductSelectionTest, NtProductShowsTheGmpFilesOfAllItsSubfolders) {
    selection.choose(1);
    ASSERT_TRUE(selection.ntShown());
    EXPECT_EQ(selection.ntNames(), (std::vector<std::string>{"one.GMP", "two.gmp"}));
    EXPECT_EQ(selection.ntPaths(), (std::vector<std::string>{dir.path() + "/nt/D1/one.GMP",
                                                             dir.path() + "/nt/D2/two.gmp"}));
    const auto paths = selection.open({1, 0});
    ASSERT_TRUE(paths);
    EXPECT_EQ(*paths, selection.ntPaths());
}

TEST_F(ProductSelectionTest, FolderWithoutProduct1AndWithoutGmpSubfoldersIsClassic) {
    selection.choose(2);
    EXPECT_FALSE(selection.ntShown());
    EXPECT_EQ(selection.files(), std::vector<std::string>{"63248801.img"});
}

TEST_F(ProductSelectionTest, ChoosingAnotherProductReplacesTheNtList) {
    selection.choose(1);
    selection.choose(0);
    EXPECT_FALSE(selection.ntShown());
    EXPECT_TRUE(selection.ntNames().empty());
    selection.choose(7); // no such product: nothing changes
    EXPECT_EQ(selection.chosen(), 0u);
}

TEST_F(ProductSelectionTest, SearchChoosesTheFirstProductContainingTheTextInAnyCase) {
    EXPECT_EQ(selection.search("NAVIGATOR"), 1u);
    EXPECT_TRUE(selection.ntShown());
    EXPECT_EQ(selection.search("l"), 0u); // "Kestrel Lakes" before "Old Family"
    EXPECT_FALSE(selection.search("nowhere"));
    EXPECT_EQ(selection.chosen(), 0u);
}

TEST_F(ProductSelectionTest, OpenHandsBackTheSelectedFilesInListOrder) {
    selection.choose(0);
    const auto paths = selection.open({2, 0, 1, 2});
    ASSERT_TRUE(paths);
    const std::string folder = dir.path() + "/classic/Product1/";
    EXPECT_EQ(*paths,
              (std::vector<std::string>{folder + "A.IMG", folder + "b.img", folder + "c.img"}));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ProductSelectionTest, OpenWithoutASelectionAsksForOneAndStaysOpen) {
    selection.choose(0);
    EXPECT_FALSE(selection.open({}));
    EXPECT_FALSE(selection.open({99})); // rows that are not in the list select nothing
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0], "Please select img(s)/gmp(s).");
    EXPECT_EQ(ui.messages[0], kSelectFiles);
}

TEST_F(ProductSelectionTest, BrowsingAFolderListsImgAndGmpFiles) {
    selection.choose(1);
    selection.showFolder(dir.path() + "/classic/Product1", kPatternMaps);
    EXPECT_FALSE(selection.ntShown());
    EXPECT_EQ(selection.files(), (std::vector<std::string>{"A.IMG", "b.img", "c.img", "x.gmp"}));
    dir.write("classic/Product1/d.img", "m");
    selection.refresh();
    EXPECT_EQ(selection.files().size(), 5u);
    selection.showFolder(dir.path() + "/missing", kPatternMaps);
    EXPECT_TRUE(selection.files().empty());
}

TEST(StartFolder, LastMapFolderElseProgramFolder) {
    TempDir dir;
    const std::string map = dir.write("maps/a.img", "m");
    EXPECT_EQ(startFolder(map, "/app"), dir.path() + "/maps");
    EXPECT_EQ(startFolder(dir.path() + "/maps", "/app"), dir.path() + "/maps");
    EXPECT_EQ(startFolder(dir.path() + "/gone/a.img", "/app"), "/app");
    EXPECT_EQ(startFolder("", "/app"), "/app");
}

} // namespace
} // namespace kestrel::installed
