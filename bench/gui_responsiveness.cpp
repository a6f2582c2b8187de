// How long the desktop program's event loop goes unserved while it loads a large map: a 1 ms
// timer records the longest gap between its ticks during a File > Open batch of a 1 GiB map (the
// sample tile padded with zeros). The idle gap of the same timer is the baseline.
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "app/session.h"
#include "app/startup.h"
#include "app/ui/main_window.h"
#include "base/desktop_launcher.h"
#include "base/ui/qt_ui_port.h"

namespace fs = std::filesystem;

namespace {

constexpr std::uintmax_t kMapSize = std::uintmax_t(1) << 30;

struct GapMeter {
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 longest = 0;
    long ticks = 0;
    void start() {
        clock.start();
        last = 0;
        longest = 0;
        ticks = 0;
    }
    void tick() {
        const qint64 now = clock.elapsed();
        longest = std::max(longest, now - last);
        last = now;
        ++ticks;
    }
};

// The program's port with its message boxes written to the terminal instead: nobody is there to
// press OK ("File size > 139 mb." comes up for this map).
class TerminalPort : public kestrel::QtUiPort {
  public:
    void message(const std::string& text) override {
        std::fprintf(stderr, "message: %s\n", text.c_str());
    }
    kestrel::Answer ask(const std::string& text, kestrel::Buttons) override {
        std::fprintf(stderr, "question: %s\n", text.c_str());
        return kestrel::Answer::Yes;
    }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const fs::path source = argc > 1 ? fs::path(argv[1]) : fs::path(KESTREL_BIN_DIR) / "test.img";
    if (!fs::exists(source)) {
        std::fprintf(stderr, "no sample map at %s\n", source.c_str());
        return 1;
    }
    const fs::path folder = fs::temp_directory_path() / "kestrel-responsiveness";
    fs::create_directories(folder);
    const fs::path map = folder / "big.img";
    fs::copy_file(source, map, fs::copy_options::overwrite_existing);
    fs::resize_file(map, kMapSize);
    {
        // Read once so that both runs find the file in the page cache.
        std::ifstream warm(map, std::ios::binary);
        std::vector<char> block(1 << 20);
        while (warm.read(block.data(), static_cast<std::streamsize>(block.size()))) {
        }
    }

    kestrel::Session session;
    kestrel::startup(session, folder.string(), "");
    TerminalPort ui;
    kestrel::DesktopLauncher launcher;
    kestrel::MainWindow window(session, ui, launcher);
    window.show();

    GapMeter meter;
    QTimer timer;
    timer.setInterval(1);
    QObject::connect(&timer, &QTimer::timeout, [&meter] { meter.tick(); });
    timer.start();

    qint64 idleLongest = 0;
    long idleTicks = 0;
    qint64 loadMs = 0;
    QTimer::singleShot(0, [&] {
        meter.start();
        // Baseline: the idle loop for 300 ms.
        QTimer::singleShot(300, [&] {
            idleLongest = meter.longest;
            idleTicks = meter.ticks;
            meter.start();
            window.openBatchPaths({map.string()});
            loadMs = meter.clock.elapsed();
            meter.tick();
            app.quit();
        });
    });
    QApplication::exec();
    fs::remove_all(folder);

    std::printf("map size            %ju bytes\n", kMapSize);
    std::printf("polygons found      %zu\n", session.map.inventory.list(0).size());
    std::printf("idle: longest gap   %lld ms over %ld ticks\n", static_cast<long long>(idleLongest),
                idleTicks);
    std::printf("load: time          %lld ms\n", static_cast<long long>(loadMs));
    std::printf("load: longest gap   %lld ms over %ld ticks\n",
                static_cast<long long>(meter.longest), meter.ticks);
    std::printf("longest gap / idle  %.1f\n",
                idleLongest > 0 ? double(meter.longest) / double(idleLongest) : 0.0);
    return 0;
}
