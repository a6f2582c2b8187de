// Writing the TYP text for a large inventory (300 polygons, 500 lines, 4,000 POIs) against one
// fwrite of the same number of bytes in the same run. Each quantity is the fastest of the
// iterations, so that other work on a shared machine does not decide the ratios. Counters:
// text_us and fwrite_us per file; ratio = createtxt / fwrite; ratio_synced = createtxt /
// (fwrite + fsync), since createtxt's atomic replace flushes its file to the disk before renaming
// it; build_ratio = building the text in memory / fwrite.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "app/typ_text_output.h"
#include "base/text.h"
#include "bench_support.h"

namespace {

using namespace kestrel;
using namespace kestrel::bench;

// An inventory as large maps give it: overview codes, extended codes, labels and markers.
Session bigSession(const std::string& typfile, int polygonMode, int poiMode) {
    Session s;
    s.paths.syspath = KESTREL_DATA_DIR;
    s.settings.typfile = typfile;
    s.settings.kindmode = {polygonMode, kModeColorPicker, poiMode};
    auto& inv = s.map.inventory;
    const auto add = [&](int kind, TypeCode code, std::string label, std::int64_t marker) {
        InventoryEntry& e = inv.list(kind).emplace_back(code, Origin::ExtendedOverview);
        e.label = std::move(label);
        if (marker >= 0) e.drawLevels.push_back(marker);
    };
    const auto standard = [](int i, CodeTail tail) {
        return TypeCode(i << 8, CodeDigits::Standard, tail);
    };
    const auto extended = [](int i, CodeTail tail) {
        return TypeCode(0x10100 + i, CodeDigits::Extended, tail);
    };
    for (int i = 0; i < 300; ++i) {
        if (i < 80)
            add(kPolygons, standard(i, CodeTail::None), " Area", i % 4);
        else
            add(kPolygons, extended(i, CodeTail::Blank), "", 2);
    }
    for (int i = 0; i < 500; ++i) {
        if (i < 60)
            add(kLines, standard(i, CodeTail::Blank), "", -1);
        else
            add(kLines, extended(i, CodeTail::None), " Track", -1);
    }
    for (int i = 0; i < 4000; ++i)
        add(kPois, extended(i, CodeTail::Blank), i % 3 ? " Shop" : "", -1);
    return s;
}

void runCreatetxt(benchmark::State& state, int polygonMode, int poiMode) {
    const auto dir = std::filesystem::temp_directory_path() / "kestrel-typtext-bench";
    std::filesystem::create_directories(dir);
    const std::string typfile = (dir / "big.txt").string();
    const std::string plain = (dir / "plain.txt").string();
    QuietUi ui;
    NoLauncher launcher;
    double textUs = 1e18, buildUs = 1e18, fwriteUs = 1e18, syncedUs = 1e18, bytes = 0;
    for (auto _ : state) {
        Session s = bigSession(typfile, polygonMode, poiMode);
        Session copy = s;
        std::mt19937 rng(1), rng2(1);
        auto t0 = Clock::now();
        createTypText(s, ui, launcher, rng, nullptr, false);
        textUs = std::min(textUs, since(t0));
        t0 = Clock::now();
        const std::string text = buildTypText(typTextWriting(copy, ui), "1252", rng2).text();
        buildUs = std::min(buildUs, since(t0));
        bytes = static_cast<double>(text.size());
        fwriteUs = std::min(fwriteUs, fwriteMicros(plain, text, false));
        syncedUs = std::min(syncedUs, fwriteMicros(plain, text, true));
    }
    state.counters["text_us"] = textUs;
    state.counters["fwrite_us"] = fwriteUs;
    state.counters["bytes"] = bytes;
    state.counters["ratio"] = textUs / fwriteUs;
    state.counters["ratio_synced"] = textUs / syncedUs;
    state.counters["build_ratio"] = buildUs / fwriteUs;
    std::filesystem::remove_all(dir);
}

void BM_TypTextDefaultModes(benchmark::State& state) {
    runCreatetxt(state, kModeTypeOnBmp, kModeTypeOnBmp);
}
void BM_TypTextCatalogue(benchmark::State& state) {
    runCreatetxt(state, kModeCatalogue, kModeCatalogue);
}

} // namespace

BENCHMARK(BM_TypTextDefaultModes)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_TypTextCatalogue)->Unit(benchmark::kMillisecond)->Iterations(20);
