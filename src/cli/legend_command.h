#pragma once
// `kestrel-cli legend`: its options, and the run, which draws where the build has Cairo, hands
// the command to the drawing program where kestrel-cli draws nothing itself, and says that it
// cannot draw where the build has no Cairo (the Windows cross-build).
#include <string>

namespace kestrel::cli {

struct CommonOptions; // cli/options.h

struct LegendOptions {
    std::string in, out, map, format;
    bool force = false;
};

int runLegend(const LegendOptions& o, const CommonOptions& common);

} // namespace kestrel::cli
