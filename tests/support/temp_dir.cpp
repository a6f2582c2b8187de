#include "support/temp_dir.h"

#include <cstdlib>
#include <fstream>
#include <random>

#include "base/paths.h"
#include "base/platform/platform.h"

namespace fs = std::filesystem;

namespace kestrel::test {

TempDir::TempDir() {
    std::random_device rd;
    for (;;) {
        const fs::path p = fs::temp_directory_path() /
                           ("kestrel-test-" + std::to_string(rd()) + std::to_string(rd()));
        std::error_code ec;
        if (fs::create_directory(p, ec)) {
            path_ = platform::utf8Path(p);
            return;
        }
    }
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::remove_all(platform::fsPath(path_), ec);
}

std::string TempDir::file(const std::string& name) const {
    return joinPath(path_, name);
}

std::string TempDir::write(const std::string& name, const std::string& bytes) const {
    const std::string p = file(name);
    const fs::path native = platform::fsPath(p);
    fs::create_directories(native.parent_path());
    std::ofstream f(native, std::ios::binary);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return p;
}

std::string fixtureDir() {
    return KESTREL_FIXTURE_DIR;
}
std::string sharedFixtureDir() {
    return KESTREL_SHARED_FIXTURE_DIR;
}

} // namespace kestrel::test
