#include <gtest/gtest.h>

#include <filesystem>

#include "base/paths.h"
#include "mapread/messages.h"
#include "mapread/tdb_header.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"

namespace kestrel::test {
namespace {

std::string tdb(std::uint8_t p0, std::uint8_t p1, std::uint8_t f0, std::uint8_t f1) {
    return std::string{'\x50',
                       '\x10',
                       '\x00',
                       static_cast<char>(p0),
                       static_cast<char>(p1),
                       static_cast<char>(f0),
                       static_cast<char>(f1),
                       '\x00'};
}

struct TdbLookup : ::testing::Test {
    TempDir dir;
    MapFields fields;
    std::string sampleMap;
    FakeUi ui;
    std::string map;

    void SetUp() override {
        sampleMap = joinPath(dir.path(), "test.img");
        map = dir.write("maps/63240101.img", "x");
    }
};

// Values of 32768 and above are shown unsigned.
TEST_F(TdbLookup, ReadsProductCodeAndFamilyIdAndLocksTheFields) {
    dir.write("maps/family.TDB", tdb(0x40, 0x9C, 0xBC, 0x04).substr(0, 7)); // seven are enough
    loadtdb(fields, ui, map, sampleMap);
    EXPECT_EQ(fields.productCode, "40000");
    EXPECT_EQ(fields.fid, "1212");
    EXPECT_TRUE(fields.fieldsLocked);
    EXPECT_EQ(fields.tdbFile, joinPath(dir.file("maps"), "family.TDB"));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(ui.busyOn);
}

TEST_F(TdbLookup, ShortTdbFileLeavesTheFieldsAlone) {
    dir.write("maps/family.tdb", tdb(0x01, 0x00, 0xBC, 0x04).substr(0, 6)); // seven are needed
    fields.productCode = "7";
    loadtdb(fields, ui, map, sampleMap);
    EXPECT_EQ(fields.fid, "1212");
    EXPECT_EQ(fields.productCode, "7");
    EXPECT_FALSE(fields.fieldsLocked);
    EXPECT_FALSE(ui.busyOn);
}

TEST_F(TdbLookup, TwoTdbFilesGiveARandomFidAndEditableFields) {
    dir.write("maps/a.tdb", tdb(1, 0, 1, 0));
    dir.write("maps/b.tdb", tdb(2, 0, 2, 0));
    for (int i = 0; i < 20000; ++i) { // enough to meet a value past either end
        loadtdb(fields, ui, map, sampleMap);
        const int fid = std::stoi(fields.fid);
        EXPECT_TRUE(fid >= 2143 && fid <= 8142) << fid;
    }
    EXPECT_EQ(ui.messages.front(), msg::kMultipleTdb);
    EXPECT_EQ(fields.productCode, "");
    EXPECT_FALSE(fields.fieldsLocked);
}

TEST_F(TdbLookup, NoTdbFileSaysSoExceptForTheSampleMap) {
    loadtdb(fields, ui, map, sampleMap);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], msg::kNoFid);
    dir.write("test.img", "x");
    loadtdb(fields, ui, sampleMap, sampleMap);
    EXPECT_EQ(ui.messages.size(), 1u);
}

TEST_F(TdbLookup, LooksInTheMapsOwnFolderNotAFolderAboveNamedLikeTheMap) {
    // "m.img" under ".../m/maps/": cutting the path at the first "m" would pick the wrong folder.
    const std::string nested = dir.write("m/maps/m.img", "x");
    dir.write("m/wrong.tdb", tdb(9, 0, 9, 0));
    dir.write("m/maps/right.tdb", tdb(3, 0, 0x39, 0x30));
    loadtdb(fields, ui, nested, sampleMap);
    EXPECT_EQ(fields.fid, "12345");
    EXPECT_EQ(fields.productCode, "3");
}

} // namespace
} // namespace kestrel::test
