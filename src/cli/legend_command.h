#pragma once
// `kestrel-cli legend`: its options, and the run, which draws where the build has Cairo and says
// that it cannot where it has none (the Windows cross-build).
#include <string>

namespace kestrel::cli {

struct LegendOptions {
    std::string in, out, map, format;
    bool force = false;
};

int runLegend(const LegendOptions& o, bool quiet);

} // namespace kestrel::cli
