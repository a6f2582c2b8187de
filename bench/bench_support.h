#pragma once
// What the benchmarks share: a silent user interface, a launcher that starts nothing, and the
// plain baseline they measure against, one fwrite of the same bytes.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "base/launcher.h"
#include "base/platform/platform.h"
#include "base/uiport.h"

namespace kestrel::bench {

using Clock = std::chrono::steady_clock;

class QuietUi : public UiPort {
  public:
    void message(const std::string&) override {}
    Answer ask(const std::string&, Buttons) override { return Answer::Yes; }
    void progress(float) override {}
    void busy(bool) override {}

  protected:
    void pump() override {}
};

class NoLauncher : public Launcher {
  public:
    bool openDefault(const std::string&, const std::string&) override { return true; }
    bool start(const std::string&, const std::vector<std::string>&, const std::string&) override {
        return true;
    }
};

inline double since(Clock::time_point t0) {
    return std::chrono::duration<double, std::micro>(Clock::now() - t0).count();
}

// One fwrite of the bytes to a new file; with `sync` also flushed to the disk.
inline double fwriteMicros(const std::string& path, const std::string& bytes, bool sync) {
    std::remove(path.c_str());
    const auto t0 = Clock::now();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    if (sync) {
        std::fflush(f);
        platform::syncToDisk(f);
    }
    std::fclose(f);
    return since(t0);
}

} // namespace kestrel::bench
