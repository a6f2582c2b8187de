// A batch load of a 1 GiB map (a real mkgmap tile padded with zeros), plain and XOR-masked,
// against reading the same file once with a plain read loop, warm cache, in the same run.
// Counters: ratio = load time / read time; peak_rss_mib against file_mib.
#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/map_loads.h"
#include "base/files.h"
#include "mapread/style_texts.h"
#include "support/fake_ui.h"

namespace fs = std::filesystem;

namespace {

constexpr std::uint64_t kMapSize = std::uint64_t(1) << 30;

// The two padded maps, made once per run in their own folder and removed at exit.
struct BigMaps {
    fs::path folder;
    std::string plain;
    std::string masked;

    BigMaps() {
        folder = fs::temp_directory_path() / ("kestrel-bench-" + std::to_string(::getpid()));
        fs::create_directories(folder);
        const std::string tile =
            kestrel::readFile(std::string(KESTREL_SHARED_FIXTURE_DIR) + "/ext_basic/63240201.img")
                .value_or("");
        plain = write("plain.img", tile, 0);
        masked = write("masked.img", tile, 0x4B);
    }
    ~BigMaps() {
        std::error_code ec;
        fs::remove_all(folder, ec);
    }

    std::string write(const std::string& name, const std::string& tile, std::uint8_t key) {
        const std::string path = (folder / name).string();
        std::ofstream f(path, std::ios::binary);
        std::vector<char> block(std::size_t(1) << 20, static_cast<char>(key));
        for (std::size_t i = 0; i < tile.size(); ++i)
            block[i] = static_cast<char>(static_cast<unsigned char>(tile[i]) ^ key);
        for (std::uint64_t done = 0; done < kMapSize; done += block.size()) {
            f.write(block.data(), static_cast<std::streamsize>(block.size()));
            if (done == 0) std::fill(block.begin(), block.end(), static_cast<char>(key));
        }
        return path;
    }
};

const BigMaps& maps() {
    static const BigMaps m;
    return m;
}

double seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// The baseline: the whole file read once, as `cat` does.
std::uint64_t readOnce(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    std::vector<char> buf(std::size_t(128) << 10);
    std::uint64_t total = 0;
    for (std::size_t n; (n = std::fread(buf.data(), 1, buf.size(), f)) > 0;) total += n;
    std::fclose(f);
    return total;
}

std::size_t loadBatch(const std::string& path) {
    kestrel::Session s;
    s.paths.userdir = maps().folder.string();
    s.settings.draworder = false;
    kestrel::a_n_p(s.styletxt);
    kestrel::test::FakeUi ui;
    kestrel::openMaps(s, ui, {path});
    return s.map.inventory.list(kestrel::kPois).size();
}

void compare(benchmark::State& state, const std::string& path) {
    readOnce(path); // warm the cache
    double load = 0;
    double read = 0;
    for (auto _ : state) {
        auto t = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(readOnce(path));
        read += seconds(t);
        t = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(loadBatch(path));
        const double l = seconds(t);
        load += l;
        state.SetIterationTime(l);
    }
    rusage ru{};
    ::getrusage(RUSAGE_SELF, &ru);
    state.counters["ratio"] = load / read;
    state.counters["read_s"] = read / static_cast<double>(state.iterations());
    state.counters["peak_rss_mib"] = static_cast<double>(ru.ru_maxrss) / 1024.0;
    state.counters["file_mib"] = static_cast<double>(kMapSize >> 20);
}

void BM_LoadPlain1GiB(benchmark::State& state) {
    compare(state, maps().plain);
}
void BM_LoadMasked1GiB(benchmark::State& state) {
    compare(state, maps().masked);
}

BENCHMARK(BM_LoadPlain1GiB)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_LoadMasked1GiB)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
