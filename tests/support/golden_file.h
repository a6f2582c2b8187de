#pragma once
// A test's exact output compared with a file under tests/data/golden; with KESTREL_UPDATE_GOLDEN=1
// in the environment the file is written instead (review the diff before committing it), except
// under CI (CI set), where a rewrite would pass whatever the program printed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "base/files.h"
#include "base/text.h"

namespace kestrel::test {

// Whether this run writes the golden files instead of comparing with them.
inline bool updatingGolden() {
    if (std::getenv("KESTREL_UPDATE_GOLDEN") == nullptr) return false;
    const char* ci = std::getenv("CI");
    EXPECT_TRUE(ci == nullptr || *ci == '\0') << "KESTREL_UPDATE_GOLDEN is refused under CI";
    return ci == nullptr || *ci == '\0';
}

inline void expectGoldenFile(const std::string& name, const std::string& actual) {
    const std::string path = std::string(KESTREL_GOLDEN_DIR) + "/" + name;
    if (updatingGolden()) {
        ASSERT_FALSE(replaceFile(path, actual)) << path;
        return;
    }
    const std::string expected = readFile(path).value_or("<no file " + path + ">");
    if (expected == actual) return;
    const auto a = split(expected, "\n"), b = split(actual, "\n");
    std::size_t line = 0;
    while (line < std::min(a.size(), b.size()) && a[line] == b[line]) ++line;
    ADD_FAILURE() << name << " differs at line " << line + 1 << ": expected\n"
                  << (line < a.size() ? a[line] : "<end>") << "\nactual\n"
                  << (line < b.size() ? b[line] : "<end>");
}

} // namespace kestrel::test
