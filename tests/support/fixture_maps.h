#pragma once
// Every real map of the tests: the .img files below the committed fixtures and the shared ones.
#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace kestrel::test {

inline std::vector<std::string> fixtureMaps() {
    std::vector<std::string> maps;
    for (const auto& root : {std::filesystem::path(fixtureDir()) / "maps",
                             std::filesystem::path(sharedFixtureDir())}) {
        if (!std::filesystem::exists(root)) continue;
        for (const auto& e : std::filesystem::recursive_directory_iterator(root))
            if (e.path().extension() == ".img") maps.push_back(e.path().string());
    }
    return maps;
}

} // namespace kestrel::test
