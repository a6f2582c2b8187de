#pragma once
// `kestrel-cli render`: its options, and the run, which draws the picture in every build (the
// Windows cross-build too: it needs no Cairo).
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace kestrel::cli {

struct CommonOptions; // cli/options.h

struct RenderOptions {
    std::string map, typ, out, size = "1000x1000";
    unsigned level = 0;
    bool whole = false, night = false, force = false;
};

// WIDTHxHEIGHT, each a decimal from 1 to the largest side.
std::optional<std::pair<int, int>> pictureSize(std::string_view text);

// Draws the picture the options ask for; the output was checked.
int runRender(const RenderOptions& o, const CommonOptions& common);

} // namespace kestrel::cli
