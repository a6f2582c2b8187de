// Any bytes as the state file: reading must not crash, and what the program then writes must read
// back as the same settings.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "app/state_file.h"

namespace {

std::string scratch(const char* name) {
    return (std::filesystem::temp_directory_path() /
            ("kestrel-fuzz-" + std::to_string(::getpid()) + "-" + name))
        .string();
}

bool same(const kestrel::Settings& a, const kestrel::Settings& b) {
    return a.lastdir == b.lastdir && a.tinkerPath == b.tinkerPath && a.dumpflag == b.dumpflag &&
           a.tdbEditorPath == b.tdbEditorPath && a.codepage == b.codepage &&
           a.typfile == b.typfile && a.draworder == b.draworder &&
           a.poiWidths.poi == b.poiWidths.poi && a.poiWidths.city == b.poiWidths.city &&
           a.kindmode == b.kindmode && a.recent == b.recent && a.kindsel == b.kindsel &&
           a.colourSlots == b.colourSlots && a.variousIcons == b.variousIcons &&
           a.include4b4a == b.include4b4a;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string in = scratch("in.dat"), out = scratch("out.dat");
    {
        std::ofstream f(in, std::ios::binary | std::ios::trunc);
        f.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    kestrel::Settings first;
    kestrel::loaddata(in, first);
    if (!kestrel::savedata(out, first)) std::abort();
    kestrel::Settings second;
    kestrel::loaddata(out, second);
    // Texts holding line breaks cannot survive a line-per-value file; everything else must.
    const auto plain = [](const std::string& s) {
        return s.find_first_of("\r\n") == std::string::npos;
    };
    bool comparable = plain(first.lastdir) && plain(first.tinkerPath) &&
                      plain(first.tdbEditorPath) && plain(first.codepage.text()) &&
                      plain(first.typfile);
    for (const auto& r : first.recent) comparable = comparable && plain(r);
    if (comparable && !same(first, second)) std::abort();
    // Nothing is left behind in the temporary folder.
    std::filesystem::remove(in);
    std::filesystem::remove(out);
    return 0;
}
