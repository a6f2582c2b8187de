// Writing the largest numbered-element TYP files, each against one fwrite of the same number of
// bytes in the same run. Counters: gen_us and fwrite_us per file, ratio = gen / fwrite, and
// ratio_synced = gen / (fwrite + fsync), since the generator's atomic replace flushes its file to
// the disk before renaming it, and ratio_unsynced = (building the bytes + fwrite) / fwrite, the
// cost of the generator's own work without that flush.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "typbin/generators.h"
#include "typbin/typ_files.h"

#include "bench_support.h"

namespace {

using namespace kestrel;
using namespace kestrel::bench;

// The file's bytes only, built as the generator builds them.
std::size_t buildOnly(const GeneratorRequest& r, GeneratorContext& ctx) {
    const auto start = static_cast<std::uint32_t>(fieldValue(r.start, true));
    if (r.kind == GeneratorKind::ExtraPois) {
        auto s = buildExtraPoiSections(start, r.count, ctx.ui, std::move(ctx.sections.slot[1]));
        ctx.sections.slot[1] = std::move(s->icons);
        return extraPoiFile(ctx.sections, s->index, true, ctx.header, ctx.syspath).size();
    }
    if (r.kind == GeneratorKind::ActiveRoutes)
        return activeRouteFile(*buildActiveRouteSections(start, r.count, 4, ctx.ui), ctx.header)
            .size();
    return numberedFile(r.kind, *buildNumberedSections(r.kind, start, r.count, false, 4, ctx.ui),
                        ctx.header)
        .size();
}

void writeFile(benchmark::State& state, GeneratorKind kind, const char* start,
               std::uint32_t count) {
    const std::string dir =
        (std::filesystem::temp_directory_path() / "kestrel-typbin-bench").string();
    std::filesystem::create_directories(dir);
    const std::string out = dir + "/gen.typ", base = dir + "/base.bin";
    QuietUi ui;
    NoLauncher launcher;
    TypSectionSlots slots;
    GeneratorContext ctx{ui,  launcher,        slots, {typ::DateTime{2026, 12, 5, 14, 7, 9}, 1252},
                         dir, dir + "/no-data"};
    const GeneratorRequest request{kind, start, count, out, false, 4};

    double gen = 0, build = 0, plain = 0, synced = 0;
    std::uint64_t bytes = 0;
    for (auto _ : state) {
        std::remove(out.c_str());
        const auto t0 = Clock::now();
        const GenerateResult r = runGenerator(request, ctx);
        gen += since(t0);
        bytes = r.bytes;
        state.PauseTiming();
        const auto t1 = Clock::now();
        benchmark::DoNotOptimize(buildOnly(request, ctx));
        build += since(t1);
        const std::string same(bytes, 'x');
        plain += fwriteMicros(base, same, false);
        synced += fwriteMicros(base, same, true);
        state.ResumeTiming();
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["bytes"] = static_cast<double>(bytes);
    state.counters["gen_us"] = gen / n;
    state.counters["fwrite_us"] = plain / n;
    state.counters["ratio"] = plain > 0 ? gen / plain : 0;
    state.counters["ratio_synced"] = synced > 0 ? gen / synced : 0;
    state.counters["ratio_unsynced"] = plain > 0 ? (build + plain) / plain : 0;
    std::filesystem::remove_all(dir);
}

void BM_ExtraPoiFile32767(benchmark::State& s) {
    writeFile(s, GeneratorKind::ExtraPois, "1", 32767);
}
void BM_PoiFile1800(benchmark::State& s) {
    writeFile(s, GeneratorKind::Pois, "1", 1800);
}
void BM_LineFile1800(benchmark::State& s) {
    writeFile(s, GeneratorKind::Lines, "1", 1800);
}
void BM_PolygonFile1800(benchmark::State& s) {
    writeFile(s, GeneratorKind::Polygons, "1", 1800);
}
void BM_ActiveRouteFile186(benchmark::State& s) {
    writeFile(s, GeneratorKind::ActiveRoutes, "1", 186);
}

BENCHMARK(BM_ExtraPoiFile32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PoiFile1800)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LineFile1800)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PolygonFile1800)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ActiveRouteFile186)->Unit(benchmark::kMicrosecond);

} // namespace
