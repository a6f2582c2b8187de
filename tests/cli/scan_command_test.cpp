// `kestrel-cli scan`, run as a program: exit codes, the text and JSON outputs.
#include <gtest/gtest.h>

#include "base/paths.h"
#include "support/img_builder.h"
#include "support/json_reader.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

namespace kestrel::test {
namespace {

ProgramRun scan(const std::vector<std::string>& args) {
    return runCli(std::vector<std::string>{"scan"} + args);
}

struct ScanCommand : ::testing::Test {
    TempDir dir;
    std::string data;
    std::string map;

    void SetUp() override {
        data = dir.file("data");
        makeFolders(data);
        SyntheticMap m;
        m.lines({0x06}).polygons({{0x13, 1}, {0x4B, 0}});
        m.extended({{0x0D, 1, 1}}, 0, 1, 0);
        m.rgnPoints({0x0B, 0x13, 0, 0, 0, 0});
        map = dir.write("maps/m.img", m.bytes());
    }
    std::vector<std::string> common() const { return {"--data", data}; }
};

TEST_F(ScanCommand, UsageErrorsExitWith2) {
    EXPECT_EQ(scan({}).status, 2);
    EXPECT_EQ(scan({"--json"}).status, 2);
    EXPECT_EQ(scan({"--bogus", map}).status, 2);
    EXPECT_EQ(scan({"--data"}).status, 2);
}

TEST_F(ScanCommand, NoReadableMapExitsWith1) {
    EXPECT_EQ(scan(common() + std::vector{dir.file("gone.img")}).status, 1);
    EXPECT_EQ(scan(common() + std::vector{dir.write("a.txt", "x")}).status, 1);
}

TEST_F(ScanCommand, TextOutputShowsCountsFieldsAndLists) {
    const ProgramRun r = scan(common() + std::vector<std::string>{"--draworder", map});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Polygons:3\nLines:1\nPOIs:1\nID: 63240101\nFID: 1212\nProduct code: \n"
                     "[Polygons]\n0x1300 (d1)\n0x4B00 (d2)\n0x10D01  map container (d0)\n"
                     "[Lines]\n0x0600 \n[POIs]\n0x10B13  African\n");
}

TEST_F(ScanCommand, JsonOutputHoldsTheExactTexts) {
    dir.write("maps/fam.tdb", std::string("\x50\x10\x00\x02\x00\x68\x12", 7));
    const ProgramRun r =
        scan(common() + words("--json --no-draworder --highways") + std::vector{map});
    EXPECT_EQ(r.status, 0);
    const auto j = Json::parse(r.out);
    ASSERT_TRUE(j) << r.out;
    EXPECT_EQ((*j)["polygons"].strings(),
              (std::vector<std::string>{"0x1300", "0x4B00", "0x10D01 "}));
    EXPECT_EQ((*j)["lines"].strings().size(), 18u);
    EXPECT_EQ((*j)["pois"].strings(), (std::vector<std::string>{"0x10B13  African"}));
    EXPECT_EQ((*j)["captions"].strings(),
              (std::vector<std::string>{"Polygons:3", "Lines:18", "POIs:1"}));
    EXPECT_EQ((*j)["levellist"].strings(),
              (std::vector<std::string>{"0x1300 #1", "0x4B00 #0", "0x10D01  #1"}));
    EXPECT_EQ((*j)["polylevels"].string, "10");
    EXPECT_EQ((*j)["maxlevel"].number, 1);
    EXPECT_EQ((*j)["map_id_label"].string, "ID: 63240101");
    EXPECT_FALSE((*j)["nt_marker"].boolean);
    EXPECT_EQ((*j)["fid"].string, "4712");
    EXPECT_EQ((*j)["product_code"].string, "2");
    EXPECT_TRUE((*j)["messages"].array.empty());
    EXPECT_EQ((*j)["error_log"].string, "");
}

TEST_F(ScanCommand, JsonReportsMessagesAndNullIdWithoutTre) {
    const ProgramRun r = scan(
        common() + std::vector<std::string>{"--json", dir.write("x.img", std::string(64, '\0'))});
    EXPECT_EQ(r.status, 0);
    const auto j = Json::parse(r.out);
    ASSERT_TRUE(j) << r.out;
    EXPECT_TRUE((*j)["map_id_label"].isNull());
    EXPECT_EQ((*j)["messages"].strings(),
              (std::vector<std::string>{"Cannot find a FID", "No information found."}));
}

} // namespace
} // namespace kestrel::test
