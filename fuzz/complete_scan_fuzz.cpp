// Any bytes as one map file through the complete scan (directory, map levels, every standard and
// extended record): no crash, no read outside the bytes, no hang, and the result keeps its
// promises: each code once per kind with a count, notes only at bytes of the file, one note for
// an NT fall-back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>

#include "mapread/complete_scan.h"
#include "support/fake_ui.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kestrel::MapBuffer buf = kestrel::MapBuffer::view({data, size});
    // The size picks whether the first byte masks the file and whether the user stops early.
    if (size % 2 == 1) buf.setKey(buf.rawFirstByte());
    kestrel::test::FakeUi ui;
    if (size % 5 == 0) ui.stopAfterYields(static_cast<long>(size % 7));
    const kestrel::CompleteResult r = kestrel::CompleteScan::run(buf, ui);
    for (const auto& list : r.kinds) {
        std::set<std::uint32_t> codes;
        for (const kestrel::TypeCount& c : list)
            if (c.code > 0x1FFFF || c.count == 0 || !codes.insert(c.code).second) std::abort();
    }
    int fallbacks = 0;
    for (const kestrel::DecodeNote& n : r.notes) {
        if (n.offset >= static_cast<std::int64_t>(size) || n.offset < -1) std::abort();
        fallbacks += n.why == kestrel::DecodeStop::NtFallback;
    }
    if (fallbacks != (r.ntFallback ? 1 : 0)) std::abort();
    return 0;
}
