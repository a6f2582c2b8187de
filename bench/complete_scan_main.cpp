// Runs the complete scan over one map file and prints what it found, then its peak resident memory
// on stderr: the whole-process driver for timing the scan against reading the file (see
// bench/complete_scan_speed.sh).
#include <sys/resource.h>

#include <cstdio>
#include <string>

#include "mapread/complete_scan.h"
#include "mapread/map_buffer.h"
#include "support/fake_ui.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s MAP\n", argv[0]);
        return 2;
    }
    kestrel::test::FakeUi ui;
    kestrel::MapBuffer buf;
    if (const auto why = buf.open(argv[1])) {
        std::fprintf(stderr, "%s: %s\n", argv[1], kestrel::describe(*why).c_str());
        return 1;
    }
    buf.setKey(buf.rawFirstByte());
    const kestrel::CompleteResult r = kestrel::CompleteScan::run(buf, ui);
    const char* names[] = {"polygons", "lines", "points"};
    for (std::size_t k = 0; k < r.kinds.size(); ++k) {
        std::printf("%s\n", names[k]);
        for (const kestrel::TypeCount& c : r.kinds[k])
            std::printf("  0x%04X %llu levels 0x%X\n", c.code,
                        static_cast<unsigned long long>(c.count), c.levels);
    }
    for (const kestrel::DecodeNote& n : r.notes) std::printf("note: %s\n", describe(n).c_str());
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    std::fprintf(stderr, "peak_rss_kib %ld\n", usage.ru_maxrss);
    return 0;
}
