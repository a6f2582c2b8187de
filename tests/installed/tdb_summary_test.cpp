#include "installed/tdb_summary.h"

#include <gtest/gtest.h>

#include "base/paths.h"
#include "installed/install_fixture.h"
#include "support/temp_dir.h"

namespace kestrel::installed {
namespace {

using test::TempDir;

// The mkgmap TDB files of the install fixture are read in the product scan's listings.
TEST(GetTdb, ReadsSharedFixtureTdbWhenPresent) {
    const std::string tdb = test::sharedFixtureDir() + "/std_tdb/stdbasic.tdb";
    if (!fileExists(tdb)) GTEST_SKIP() << "no shared fixtures";
    const auto s = get_tdb(tdb);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->familyId, 4711);
    EXPECT_EQ(s->productCode, 1);
}

TEST(GetTdb, HeaderBytesGiveProductAndFamilyLowByteFirst) {
    const auto s = readTdbHead(std::string("P\x10\x00\x01\x00\xBC\x04\x00\x00Name\0rest", 18));
    ASSERT_TRUE(s);
    EXPECT_EQ(s->productCode, 1);
    EXPECT_EQ(s->familyId, 1212);
    EXPECT_EQ(s->familyName, "Name");
    // A high byte of 128 and more is an unsigned value, not a negative one.
    EXPECT_EQ(readTdbHead(std::string("P\0\0\xFF\xFF\xFE\xFF", 7))->familyId, 65534);
    EXPECT_EQ(readTdbHead(std::string("P\0\0\xFF\xFF\xFE\xFF", 7))->productCode, 65535);
}

TEST(GetTdb, NameEndsAtFirstZeroOrWithinFiveHundredBytes) {
    std::string head = std::string("P\0\0\0\0\x78\x03\0\0", 9) + std::string(600, 'N');
    const auto s = readTdbHead(head);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->familyName, std::string(500 - 9, 'N'));
    EXPECT_EQ(readTdbHead(std::string("P\0\0\0\0\x78\x03\0\0", 9))->familyName, "");
}

TEST(GetTdb, RefusesFilesThatAreNoTdb) {
    TempDir dir;
    EXPECT_FALSE(get_tdb(dir.file("missing.tdb")));
    EXPECT_FALSE(get_tdb(dir.write("q.tdb", std::string("Q\0\0\x01\0\x78\x03\0\0X", 10))));
    EXPECT_FALSE(get_tdb(dir.write("short.tdb", "P\0\0\x01")));
    EXPECT_FALSE(get_tdb(dir.write("empty.tdb", "")));
    EXPECT_FALSE(get_tdb(dir.path())); // a folder
    EXPECT_FALSE(get_tdb(test::lakesImg()));
}

} // namespace
} // namespace kestrel::installed
