#include "base/app_paths.h"

#include <filesystem>
#include <system_error>

#include "base/paths.h"
#include "base/platform/platform.h"

namespace fs = std::filesystem;

namespace kestrel {
namespace {

std::string envOr(const char* name, const std::string& fallback) {
    const std::string v = platform::environmentVariable(name);
    return v.empty() ? fallback : v;
}

std::string home() {
    const std::string h = platform::homeFolder();
    return h.empty() ? "." : h;
}

// Copies the files of the installed data folder that the user's folder does not have yet.
void seed(const std::string& from, const std::string& to) {
    std::error_code ec;
    if (!folderExists(from)) return;
    fs::copy(platform::fsPath(from), platform::fsPath(to),
             fs::copy_options::recursive | fs::copy_options::skip_existing, ec);
}

} // namespace

AppPaths AppPaths::resolve(const std::string& apppath, const std::string& installedData) {
    AppPaths p;
    p.apppath = apppath;
    const std::string local = joinPath(apppath, "system");
    // A program folder without a data folder of its own gets one only when no installed data is
    // there to take from: root running /usr/bin/kestrel-cli must not make /usr/bin/system.
    const bool mayMake = !folderExists(installedData);
    if ((folderExists(local) || (mayMake && makeFolders(local))) && folderWritable(local)) {
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
    p.sampleMap =
        joinPath(platform::utf8Path(platform::fsPath(installedData).parent_path()), "test.img");
    return p;
}

} // namespace kestrel
