// The complete scan on real maps: every fixture folder (ours and the shared ones) whose maps were
// built by mkgmap from the Polish-format sources beside them holds exactly the sources' objects;
// third-party maps decode without a note; cut and damaged maps neither invent types nor hang.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <random>
#include <sstream>

#include "base/files.h"
#include "base/text.h"
#include "mapread/complete_scan.h"
#include "mapread/img_directory.h"
#include "mapread/tre_levels.h"
#include "support/fake_ui.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

namespace kestrel::test {
namespace {

namespace fs = std::filesystem;
using Kinds = std::array<std::vector<TypeCount>, kObjectKinds>;

std::string slurp(const fs::path& p) {
    return readFile(p.string()).value_or("");
}

CompleteResult scan(const std::string& bytes, FakeUi ui = {}) {
    MapBuffer buf = MapBuffer::fromBytes(bytes);
    buf.setKey(buf.rawFirstByte());
    return CompleteScan::run(buf, ui);
}

// What mkgmap makes of Polish-format sources: an object with a DataN line lies on levels N up to
// its EndLevel, but never on the top level, which mkgmap keeps empty. Codes as the scan gives
// them: standard types 0xTT (lines, polygons; 0xTT00) or 0xTTSS / Type 0xTT + SubType (points).
Kinds fromSources(const std::vector<fs::path>& sources) {
    std::map<std::pair<int, std::uint32_t>, TypeCount> objects;
    for (const fs::path& source : sources) {
        std::istringstream in(slurp(source));
        std::string line;
        int top = 0, kind = -1, endLevel = 0;
        std::uint32_t type = 0, subtype = 0;
        std::vector<int> data;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            const auto eq = line.find('=');
            const std::string key = line.substr(0, eq), value = line.substr(eq + 1);
            if (line == "[POI]" || line == "[RGN10]" || line == "[RGN20]") kind = 2;
            if (line == "[POLYLINE]" || line == "[RGN40]") kind = 1;
            if (line == "[POLYGON]" || line == "[RGN80]") kind = 0;
            if (key == "Levels") top = std::stoi(value) - 1;
            if (key == "Type") type = static_cast<std::uint32_t>(std::stoul(value, nullptr, 0));
            if (key == "SubType")
                subtype = static_cast<std::uint32_t>(std::stoul(value, nullptr, 0));
            if (key == "EndLevel") endLevel = std::stoi(value);
            if (key.rfind("Data", 0) == 0 && eq != std::string::npos)
                data.push_back(std::stoi(key.substr(4)));
            if (line != "[END]" || kind < 0) continue;
            const std::uint32_t code = type > 0xFF ? type : type << 8 | (kind == 2 ? subtype : 0);
            TypeCount& c = objects[{kind, code}];
            c.code = code;
            for (int first : data)
                for (int level = first; level <= std::min(std::max(first, endLevel), top - 1);
                     ++level) {
                    ++c.count;
                    c.levels |= static_cast<std::uint16_t>(1u << level);
                }
            kind = -1;
            endLevel = 0;
            subtype = 0;
            data.clear();
        }
    }
    Kinds k;
    for (const auto& [key, count] : objects) k[key.first].push_back(count);
    return k;
}

// The scan's lists sorted by code, without mkgmap's background polygon unless a source has it.
Kinds sorted(Kinds k, const Kinds& sources) {
    auto& polygons = k[0];
    const auto isBackground = [](const TypeCount& c) { return c.code == 0x4B00; };
    if (std::none_of(sources[0].begin(), sources[0].end(), isBackground))
        polygons.erase(std::remove_if(polygons.begin(), polygons.end(), isBackground),
                       polygons.end());
    for (auto& list : k)
        std::sort(list.begin(), list.end(), [](auto& a, auto& b) { return a.code < b.code; });
    return k;
}

std::vector<fs::path> filesIn(const fs::path& dir, const std::string& extension) {
    std::vector<fs::path> r;
    for (const auto& e : fs::directory_iterator(dir))
        if (e.path().extension() == extension) r.push_back(e.path());
    std::sort(r.begin(), r.end());
    return r;
}

const fs::path kOwn = fs::path(fixtureDir()) / "maps" / "complete";

nlohmann::json scanJson(const fs::path& map, const std::string& options) {
    return nlohmann::json::parse(
        runCli(words("scan --json " + options) + std::vector{map.string()}).out, nullptr, false);
}

// What `kestrel-cli scan --complete --json` lists for the map, and its messages.
std::pair<Kinds, nlohmann::json> listed(const fs::path& map) {
    const auto j = scanJson(map, "--complete --no-draworder");
    Kinds k;
    for (const auto& [kind, key] : {std::pair{0, "polygons"}, {1, "lines"}, {2, "pois"}})
        for (const auto& e : j["complete"][key]) {
            TypeCount& c = k[kind].emplace_back();
            c.code =
                static_cast<std::uint32_t>(std::stoul(e["code"].get<std::string>(), nullptr, 16));
            c.count = e["count"];
            for (const unsigned level : e["levels"])
                c.levels |= static_cast<std::uint16_t>(1u << level);
        }
    return {k, j["messages"]};
}

TEST(CompleteScanMaps, EveryMapListsExactlyTheObjectsOfItsSources) {
    int maps = 0;
    for (const fs::path& root : {fs::path(fixtureDir()) / "maps", fs::path(sharedFixtureDir())}) {
        if (!fs::exists(root)) continue;
        for (const auto& dir : fs::recursive_directory_iterator(root)) {
            if (!dir.is_directory() || filesIn(dir, ".mp").empty()) continue;
            const Kinds expected = fromSources(filesIn(dir, ".mp"));
            for (const fs::path& map : filesIn(dir, ".img")) {
                SCOPED_TRACE(map.string());
                const auto [kinds, messages] = listed(map);
                // No note beside the messages of the overview reading.
                EXPECT_EQ(messages, scanJson(map, "--no-draworder")["messages"]);
                EXPECT_EQ(sorted(kinds, expected), expected);
                ++maps;
            }
        }
    }
    EXPECT_GE(maps, 7);
}

TEST(CompleteScanMaps, EveryKindMapHoldsPointsBesideIndexedPoints) {
    const MapBuffer buf = MapBuffer::fromBytes(slurp(kOwn / "every_kind" / "63240061.img"));
    const ImgTile tile = ImgDirectory::read(buf).tiles.at(0);
    const TreLevels tre = TreLevels::read(SubfileView(buf, tile.tre.ranges), 0);
    EXPECT_TRUE(std::any_of(tre.subdivisions.begin(), tre.subdivisions.end(), [](auto& s) {
        return (s.content & kHasPoints) && (s.content & kHasIndexedPoints);
    }));
}

TEST(CompleteScanMaps, ThirdPartyMapsDecodeWithoutANoteAndAgreeWithTheirOverviews) {
    const fs::path dir = fs::path(sharedFixtureDir()) / "third-party";
    if (!fs::exists(dir)) GTEST_SKIP() << "no shared fixtures";
    for (const fs::path& map : filesIn(dir, ".img")) {
        SCOPED_TRACE(map.string());
        const CompleteResult r = scan(slurp(map));
        EXPECT_TRUE(r.notes.empty());
        // The overview reading lists every polygon and line type the writer saw.
        fs::path expectedFile = map;
        const auto e = nlohmann::json::parse(
            slurp(expectedFile.replace_extension(".expected.json")), nullptr, false);
        ASSERT_FALSE(e.is_discarded());
        for (const auto& [kind, key] : {std::pair{0, "polygons"}, std::pair{1, "lines"}}) {
            std::vector<std::uint32_t> overview, decoded;
            for (const std::string entry : e[key])
                overview.push_back(static_cast<std::uint32_t>(std::stoul(entry, nullptr, 16)));
            for (const TypeCount& c : r.kinds[kind]) decoded.push_back(c.code);
            std::sort(overview.begin(), overview.end());
            std::sort(decoded.begin(), decoded.end());
            EXPECT_EQ(decoded, overview);
        }
    }
}

// Cut anywhere, a map lists only types of the whole map, no more often, and says where it stopped
// whenever it lists less. Damaged anywhere, it ends, with notes inside the file.
TEST(CompleteScanMaps, CutOrDamagedMapsInventNothingAndEnd) {
    std::mt19937 random(11);
    for (const fs::path& map :
         {kOwn / "every_kind" / "63240061.img", kOwn / "gmapsupp" / "gmapsupp.img"}) {
        const std::string bytes = slurp(map);
        const CompleteResult whole = scan(bytes);
        for (std::size_t cut = 0; cut < bytes.size(); cut += 97) {
            const CompleteResult r = scan(bytes.substr(0, cut));
            for (std::size_t k = 0; k < kObjectKinds; ++k)
                for (const TypeCount& c : r.kinds[k]) {
                    const auto w = std::find_if(whole.kinds[k].begin(), whole.kinds[k].end(),
                                                [&](auto& e) { return e.code == c.code; });
                    ASSERT_NE(w, whole.kinds[k].end()) << cut;
                    EXPECT_LE(c.count, w->count);
                    EXPECT_EQ(c.levels & ~w->levels, 0);
                }
            EXPECT_TRUE(r.kinds == whole.kinds || !r.notes.empty()) << cut;
        }
        for (int i = 0; i < 400; ++i) {
            std::string damaged = bytes;
            for (int n = 0; n < 1 + i % 8; ++n)
                damaged[random() % damaged.size()] = static_cast<char>(random());
            for (const DecodeNote& note : scan(damaged).notes)
                EXPECT_LT(note.offset, static_cast<std::int64_t>(damaged.size()));
        }
    }
}

// From a file the scan reads tile after tile through memory it reuses, searching for the
// signatures on the way: the same types and notes as from the bytes in memory, and the same
// signatures as the search on its own. Also when the directory lists the tiles out of the file's
// order (two tiles' RGN entries swapped), when a signature lies after the last tile, and when the
// bytes are damaged.
TEST(CompleteScanMaps, FromAFileTileByTileAsFromMemory) {
    std::vector<std::string> maps;
    for (const fs::path& root : {fs::path(fixtureDir()) / "maps", fs::path(sharedFixtureDir())})
        if (fs::exists(root))
            for (const auto& e : fs::recursive_directory_iterator(root))
                if (e.path().extension() == ".img") maps.push_back(slurp(e.path()));
    std::string swapped = slurp(kOwn / "gmapsupp" / "gmapsupp.img");
    const auto entry = [&](const std::string& name) { return swapped.find(name + "RGN") - 1; };
    const std::size_t a = entry("63240071"), b = entry("63240073");
    ASSERT_LT(std::max(a, b), swapped.size());
    std::swap_ranges(swapped.begin() + a, swapped.begin() + a + 512, swapped.begin() + b);
    maps.push_back(swapped);
    // A signature only in the bytes after the last tile, which a thread searches once it has
    // no more tiles to read.
    maps.push_back(slurp(kOwn / "gmapsupp" / "gmapsupp.img") + std::string(3000, 'G') +
                   "GARMIN GMP" + std::string(100, '\0'));
    std::mt19937 random(5);
    for (std::size_t i = 0, n = maps.size(); i < 3 * n; ++i) {
        std::string damaged = maps[i % n];
        for (int k = 0; k < 4; ++k)
            damaged[random() % damaged.size()] = static_cast<char>(random());
        maps.push_back(damaged);
    }
    TempDir dir;
    FakeUi ui;
    const auto text = [](const CompleteResult& r) {
        std::string t;
        for (const DecodeNote& note : r.notes) t += describe(note) + "\n";
        return t;
    };
    for (std::size_t i = 0; i < maps.size(); ++i) {
        SCOPED_TRACE(i);
        MapBuffer file;
        ASSERT_EQ(file.open(dir.write("m.img", maps[i])), std::nullopt);
        file.setKey(file.rawFirstByte());
        SignatureSearch search(file.key());
        const CompleteResult fromFile = CompleteScan::run(file, ui, &search);
        const CompleteResult inMemory = scan(maps[i]);
        EXPECT_EQ(fromFile.kinds, inMemory.kinds);
        EXPECT_EQ(text(fromFile), text(inMemory));
        EXPECT_EQ(fromFile.ntFallback, inMemory.ntFallback);
        const Signatures alone = file.findSignatures(ui);
        EXPECT_EQ(search.found().rgn, alone.rgn);
        EXPECT_EQ(search.found().tre, alone.tre);
        EXPECT_EQ(search.found().gmp, alone.gmp);
    }
}

// A stop at the first subdivision of a file read on two threads ends the scan there, as in
// memory: what the other thread decoded meanwhile is left out, one Stopped note is all.
TEST(CompleteScanMaps, AStopEndsTheScanOfAFileWhereItCame) {
    const std::string bytes = slurp(kOwn / "gmapsupp" / "gmapsupp.img");
    TempDir dir;
    MapBuffer file;
    ASSERT_EQ(file.open(dir.write("m.img", bytes)), std::nullopt);
    FakeUi ui;
    ui.stopAfterYields(0);
    const FakeUi fresh = ui;
    const CompleteResult r = CompleteScan::run(file, ui);
    const CompleteResult inMemory = scan(bytes, fresh);
    ASSERT_EQ(r.notes.size(), 1u);
    EXPECT_EQ(r.notes[0].why, DecodeStop::Stopped);
    EXPECT_EQ(describe(r.notes[0]), describe(inMemory.notes.at(0)));
    EXPECT_EQ(r.kinds, inMemory.kinds);
}

} // namespace
} // namespace kestrel::test
