#include "base/app_paths.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "base/paths.h"

namespace fs = std::filesystem;

namespace kestrel {
namespace {

std::string envOr(const char* name, const std::string& fallback) {
    const char* v = std::getenv(name);
    return (v && *v) ? std::string(v) : fallback;
}

std::string home() {
    return envOr("HOME", ".");
}

// Copies the files of the installed data folder that the user's folder does not have yet.
void seed(const std::string& from, const std::string& to) {
    std::error_code ec;
    if (!folderExists(from)) return;
    fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::skip_existing, ec);
}

} // namespace

AppPaths AppPaths::resolve(const std::string& apppath, const std::string& installedData) {
    AppPaths p;
    p.apppath = apppath;
    const std::string local = joinPath(apppath, "system");
    if ((folderExists(local) || makeFolders(local)) && folderWritable(local)) {
        p.portable = true;
        p.syspath = local;
        p.userdir = apppath;
        p.statefile = joinPath(local, "kestrel.dat");
        p.sampleMap = joinPath(apppath, "test.img");
        return p;
    }
    p.portable = false;
    const std::string data = envOr("XDG_DATA_HOME", joinPath(home(), ".local/share"));
    const std::string config = envOr("XDG_CONFIG_HOME", joinPath(home(), ".config"));
    p.userdir = joinPath(data, "kestrel");
    p.syspath = joinPath(p.userdir, "system");
    makeFolders(p.syspath);
    seed(installedData, p.syspath);
    makeFolders(joinPath(config, "kestrel"));
    p.statefile = joinPath(joinPath(config, "kestrel"), "kestrel.dat");
    p.sampleMap = joinPath(fs::path(installedData).parent_path().string(), "test.img");
    return p;
}

} // namespace kestrel
