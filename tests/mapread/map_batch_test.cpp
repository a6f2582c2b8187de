#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "base/files.h"
#include "base/paths.h"
#include "base/text.h"
#include "mapread/map_batch.h"
#include "mapread/messages.h"
#include "mapread/read_helpers.h"
#include "support/img_builder.h"
#include "support/temp_dir.h"

namespace kestrel::test {
namespace {

using V = std::vector<std::string>;

SyntheticMap sampleMap(std::uint8_t line = 0x06) {
    SyntheticMap m;
    m.lines({line}).polygons({{0x13, 1}}).rgnPoints({0x14, 0x01, 0, 0, 0, 0});
    return m;
}

struct Batch : ::testing::Test {
    TempDir dir;
    Reading r;

    void SetUp() override {
        r.options.dumpFile = dir.file("temp.img");
        r.options.sampleMap = dir.file("test.img");
    }
    std::string write(const std::string& name, const std::string& bytes) {
        return dir.write(name, bytes);
    }
    std::optional<std::string> open(const V& paths) { return r.open(paths); }
};

TEST_F(Batch, MaskedFileReadsLikeTheUnmaskedOne) {
    const SyntheticMap m = sampleMap();
    // A name outside every ANSI code page reads too.
    open({write("Karte_Übersicht_日本.img", m.bytes())});
    const V plainLines = r.lines();
    const V plainPois = r.pois();
    Reading masked;
    masked.open({write("masked.img", m.bytes(0x4B))});
    EXPECT_EQ(masked.lines(), plainLines);
    EXPECT_EQ(masked.pois(), plainPois);
    EXPECT_EQ(masked.map.container.key, 0x4B);
    EXPECT_FALSE(fileExists(dir.file("temp.img")));
    EXPECT_FALSE(fileExists(dir.file("tmp.txt")));
}

TEST_F(Batch, DumpflagWritesTheUnmaskedMapToTempImgWhenItCan) {
    const SyntheticMap m = sampleMap();
    r.options.dumpflag = true;
    open({write("masked.img", m.bytes(0x4B))});
    EXPECT_EQ(readFile(dir.file("temp.img")).value_or(""), m.bytes());
    // A dump that cannot be written does not keep the map from being read, and is logged.
    r.options.dumpFile = dir.file("no/such/folder/temp.img");
    open({dir.file("masked.img")});
    EXPECT_EQ(r.lines(), (V{"0x0600 "}));
    EXPECT_EQ(r.errors.text(), "DUMP:cannot write " + r.options.dumpFile + "\r\n");
}

// Each file named as it is written; a name without bytes is never written.
TEST_F(Batch, BatchesReadUntilTheirFirstUnreadableFileWithItsMessages) {
    using Files = std::vector<std::pair<std::string, std::string>>;
    const std::string map = sampleMap().bytes(), empty(100, '\0');
    const std::string noFid(msg::kNoFid), none(msg::kNoInformation), nt(msg::kHighwaysHint);
    struct Case {
        Files files;
        V lines, messages;
    } cases[] = {
        // A masked GMP name is not unmasked; a GMP name skips the TDB lookup.
        {{{"masked.gmp", sampleMap().bytes(0x4B)}}, {}, {none}},
        {{{"I0000001.GMP", map}}, {"0x0600 "}, {nt}},
        // A file without RGN says so only as the first file; the TDB lookup comes before.
        {{{"empty.img", empty}, {"map.img", map}}, {"0x0600 "}, {noFid, none}},
        {{{"map.img", map}, {"empty.img", empty}}, {"0x0600 "}, {noFid}},
        // A name that is not a map ends the batch with a message, a missing file silently.
        {{{"a.img", map}, {"b.txt", sampleMap(0x07).bytes()}, {"c.img", sampleMap(0x08).bytes()}},
         {"0x0600 "},
         {noFid, std::string(msg::kNotAnImg)}},
        {{{"a.img", map}, {"gone.img", ""}, {"c.img", sampleMap(0x08).bytes()}},
         {"0x0600 "},
         {noFid}},
        // A name without any dot (nor has the folder's path one); only a container's first tile.
        {{{"mapfile", map}}, {"0x0600 "}, {noFid}},
        {{{"gmapsupp.img", map + sampleMap(0x09).bytes()}}, {"0x0600 "}, {noFid}},
    };
    ASSERT_FALSE(contains(dir.path(), "."));
    for (const Case& c : cases) {
        V paths;
        for (const auto& [name, bytes] : c.files)
            paths.push_back(bytes.empty() ? dir.file(name) : write(name, bytes));
        Reading run;
        run.open(paths);
        EXPECT_EQ(run.lines(), c.lines) << paths[0];
        EXPECT_EQ(run.ui.messages, c.messages) << paths[0];
        EXPECT_EQ(run.map.fields.ntMarker, c.messages == V{nt}) << paths[0];
    }
}

// The current map (the caption, the status line, the folder of TYP files) is the last map read;
// a file without map data never becomes it, and a batch of no map leaves none.
TEST_F(Batch, EveryLoadKeepsTheRealNameAndFolderOfTheMapAndNeverOfAFileWithoutOne) {
    const std::string path = write("Maps/MyMap.IMG", sampleMap().bytes());
    const std::string text = write("Notes/b.img", "no map here");
    for (const auto& load : std::vector<std::function<std::optional<std::string>(const V&)>>{
             [&](const V& p) { return loadole(r.context(), join(p, "\r\n")); },
             [&](const V& p) { return open(p); },
             [&](const V& p) { return loadRecent(r.context(), p[0]); }}) {
        r.map = {};
        EXPECT_EQ(load({path, text}), path);
        EXPECT_EQ(r.lines(), (V{"0x0600 "}));
        EXPECT_EQ(r.map.currentFile, path);
        EXPECT_EQ(r.map.mapFolder, dir.file("Maps"));
        load({text});
        EXPECT_EQ(r.map.currentFile + r.map.mapFolder, "");
    }
    // A recent item keeps its exact path as the map file; one whose file has gone loads nothing.
    loadRecent(r.context(), path);
    EXPECT_EQ(r.map.mapfile, path);
    EXPECT_EQ(loadRecent(r.context(), dir.file("gone.img")), std::nullopt);
    EXPECT_EQ(loadRecent(r.context(), ""), std::nullopt);
}

TEST_F(Batch, EscapeDuringTheSecondOfThreeFilesStopsTheBatch) {
    SyntheticMap big = sampleMap(0x07);
    std::vector<std::uint8_t> records;
    for (int i = 0; i < 50; ++i) records.insert(records.end(), {0x14, 0x01, 0, 0, 0, 0});
    big.rgnPoints(records);
    const std::string a = write("a.img", sampleMap().bytes());
    const std::string b = write("b.img", big.bytes());
    const std::string c = write("c.img", sampleMap(0x08).bytes());
    // Stop once the second file's reading is under way.
    open({a});
    EXPECT_EQ(r.ui.progressValues, (std::vector<float>{7.5, 10, 1})); // 5 to 10 % as it is read
    const long perFile = r.ui.yields;
    Reading run;
    run.ui.stopAfterYields(perFile + 5);
    run.open({a, b, c});
    EXPECT_EQ(run.lines(), (V{"0x0600 ", "0x0700 "}));
    ASSERT_GE(run.ui.progressValues.size(), 2u);
    EXPECT_FLOAT_EQ(run.ui.progressValues[run.ui.progressValues.size() - 2], 50.0f);
    EXPECT_FLOAT_EQ(run.ui.progressValues.back(), 1.0f);
}

TEST_F(Batch, FileOf90MillionBytesIsReadWithoutMessageAnd100MillionWithOne) {
    auto sparse = [&](const std::string& name, std::uintmax_t size) {
        const std::string p = write(name, sampleMap().bytes());
        std::filesystem::resize_file(p, size);
        return p;
    };
    open({sparse("small.img", 90'000'000)});
    EXPECT_EQ(r.ui.messages, (V{std::string(msg::kNoFid)}));
    EXPECT_EQ(r.lines(), (V{"0x0600 "}));
    Reading big;
    big.open({sparse("big.img", 100'000'000)});
    EXPECT_EQ(big.ui.messages, (V{std::string(msg::kFileTooBig), std::string(msg::kNoFid)}));
    EXPECT_EQ(big.lines(), (V{"0x0600 "}));
}

TEST_F(Batch, EachLoadClearsTheErrorLogAndStopflagAndEscapeLeavesTheBufferEmpty) {
    r.errors.append("TRE", "old");
    r.ui.setStopflag(true);
    const std::string a = write("a.img", sampleMap().bytes());
    open({a});
    EXPECT_EQ(r.errors.text(), "");
    EXPECT_EQ(r.lines(), (V{"0x0600 "}));
    Reading stopped;
    stopped.ui.stopAfterYields(0);
    stopped.open({a});
    EXPECT_TRUE(stopped.lines().empty());
    EXPECT_EQ(stopped.map.container.filesRead, 0);
    EXPECT_TRUE(stopped.ui.messages.empty()); // nor is the TDB looked up
}

TEST_F(Batch, DropOnAListLoadsUntilTheFirstNameThatIsNotAMap) {
    const std::string a = write("a.img", sampleMap().bytes());
    const std::string b = write("b.txt", sampleMap(0x07).bytes());
    const std::string c = write("c.img", sampleMap(0x08).bytes());
    EXPECT_EQ(loadole(r.context(), a + "\r\n" + b + "\r\n" + c + "\r\n"), a);
    EXPECT_EQ(r.lines(), (V{"0x0600 "}));
    // A list drop passes the last index of the split list: no TDB lookup, no message.
    EXPECT_TRUE(r.ui.messages.empty());
    // A dropped map equal to the current one ends the walk; a window drop looks up the TDB.
    r.map = {};
    loadole(r.context(), a + "\r\n" + a + "\r\n" + c + "\r\n");
    EXPECT_EQ(r.lines(), (V{"0x0600 "}));
    loadole(r.context(), c);
    EXPECT_EQ(r.ui.messages, (V{std::string(msg::kNoFid)}));
}

TEST_F(Batch, NtHintIsShownOncePerBatchAndFileNewClearsTheInventoryAndTheNtMarker) {
    SyntheticMap nt = sampleMap();
    nt.img.header(0x40, "GMP", 0x31);
    const std::string a = write("a.img", nt.bytes());
    auto hints = [&] {
        return std::count(r.ui.messages.begin(), r.ui.messages.end(), msg::kHighwaysHint);
    };
    open({a, write("b.img", nt.bytes())});
    EXPECT_EQ(hints(), 1);
    open({a});
    EXPECT_EQ(hints(), 2);
    ASSERT_TRUE(r.map.fields.ntMarker);
    fileNew(r.map);
    EXPECT_FALSE(r.map.fields.ntMarker);
    EXPECT_FALSE(r.map.container.fngmp());
    EXPECT_EQ(r.map.inventory.caption(kPolygons), "Polygons:0");
    EXPECT_EQ(r.map.inventory.caption(kLines), "Lines:0");
    EXPECT_EQ(r.map.inventory.caption(kPois), "POIs:0");
    r.options.highways = true;
    open({a});
    EXPECT_EQ(hints(), 2);
}

} // namespace
} // namespace kestrel::test
