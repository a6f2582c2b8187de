#include "installed/product_environment.h"

#include "base/paths.h"
#include "installed/folder_listing.h"

namespace kestrel::installed {
namespace {

std::string under(const std::string& root, const std::string& path) {
    return root.empty() ? path : normalisePath(root + path);
}

} // namespace

ProductEnvironment ProductEnvironment::fromProcess() {
    ProductEnvironment e;
    e.wineprefix = platform::environmentVariable("WINEPREFIX");
    e.programData = platform::environmentVariable("ProgramData");
    e.home = platform::homeFolder();
    e.user = platform::userName();
    e.removableDrives = platform::removableDrives();
    return e;
}

std::string ProductEnvironment::winePrefix() const {
    if (!wineprefix.empty()) return wineprefix;
    return home.empty() ? std::string() : joinPath(home, ".wine");
}

std::vector<std::string> mapPackageFolders(const ProductEnvironment& env) {
    switch (env.platform) {
    case Platform::Windows: {
        // An unset or empty ProgramData falls back to the usual place.
        const std::string maps = joinPath(env.programData, "Garmin\\Maps");
        if (!env.programData.empty() && !listFolders(maps).empty()) return {maps};
        return {"c:\\programdata\\garmin\\maps"};
    }
    case Platform::MacOS: {
        std::vector<std::string> folders;
        if (!env.home.empty())
            folders.push_back(joinPath(env.home, "Library/Application Support/Garmin/Maps"));
        folders.push_back(under(env.fsRoot, "/Library/Application Support/Garmin/Maps"));
        return folders;
    }
    case Platform::Linux:
        break;
    }
    const std::string prefix = env.winePrefix();
    if (prefix.empty()) return {};
    return {resolveCaseless(joinPath(prefix, "drive_c"), "ProgramData/Garmin/Maps")};
}

std::vector<std::string> deviceVolumes(const ProductEnvironment& env) {
    std::vector<std::string> roots;
    switch (env.platform) {
    case Platform::Windows:
        return env.removableDrives;
    case Platform::MacOS:
        roots = {under(env.fsRoot, "/Volumes")};
        break;
    case Platform::Linux:
        if (env.user.empty()) return {};
        roots = {under(env.fsRoot, "/media/" + env.user),
                 under(env.fsRoot, "/run/media/" + env.user)};
        break;
    }
    std::vector<std::string> volumes;
    for (const auto& root : roots)
        for (const auto& name : listFolders(root)) volumes.push_back(joinPath(root, name));
    return volumes;
}

} // namespace kestrel::installed
