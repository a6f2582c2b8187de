#include "base/drives.h"

#include <array>
#include <string_view>
#include <vector>

#include "base/messages.h"
#include "base/paths.h"
#include "base/text.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace kestrel {
namespace {

#ifdef _WIN32

std::string driveRoot(const std::string& path) {
    const auto colon = path.find(':');
    return colon == std::string::npos ? std::string() : path.substr(0, colon + 1) + "\\";
}

bool fullPath(const std::string& path) {
    return contains(path, ":");
}

std::string volumeName(const std::string& path) {
    return lcase(path.substr(0, path.find(':')));
}

#else

// Folders under which a volume appears only while it is mounted: the number of components below
// the root that name the volume.
struct RemovableRoot {
    std::string_view prefix;
    int depth;
};
constexpr std::array<RemovableRoot, 4> kRemovableRoots{{
    {"/media/", 2},     // /media/<user>/<volume> (udisks)
    {"/run/media/", 2}, // /run/media/<user>/<volume>
    {"/mnt/", 1},
    {"/Volumes/", 1}, // macOS
}};

bool isMountPoint(const std::string& folder) {
    struct stat self {};
    struct stat parent {};
    if (stat(folder.c_str(), &self) != 0) return false;
    if (stat((folder + "/..").c_str(), &parent) != 0) return false;
    return self.st_dev != parent.st_dev || self.st_ino == parent.st_ino;
}

bool fullPath(const std::string& path) {
    return startsWith(path, "/");
}

std::string volumeName(const std::string& path) {
    return removableVolume(path);
}

#endif

} // namespace

#ifdef _WIN32

std::string removableVolume(const std::string& path) {
    return driveRoot(normalisePath(path));
}

DriveState volumeState(const std::string& root) {
    if (root.empty()) return DriveState::Missing;
    const UINT type = GetDriveTypeA(root.c_str());
    if (type == DRIVE_UNKNOWN || type == DRIVE_NO_ROOT_DIR) return DriveState::Missing;
    DWORD serial = 0;
    if (!GetVolumeInformationA(root.c_str(), nullptr, 0, &serial, nullptr, nullptr, nullptr, 0))
        return DriveState::NotReady;
    return DriveState::Ready;
}

DriveState chkdrive(const std::string& path) {
    return volumeState(driveRoot(normalisePath(path)));
}

#else

std::string removableVolume(const std::string& path) {
    const std::string p = normalisePath(path);
    for (const RemovableRoot& root : kRemovableRoots) {
        if (!startsWith(p, root.prefix)) continue;
        const std::vector<std::string> below = split(p.substr(root.prefix.size()), "/");
        if (static_cast<int>(below.size()) < root.depth) return {};
        std::string volume(root.prefix);
        for (int i = 0; i < root.depth; ++i) {
            if (below[static_cast<std::size_t>(i)].empty()) return {};
            volume += below[static_cast<std::size_t>(i)] + "/";
        }
        volume.pop_back();
        return volume;
    }
    return {};
}

DriveState volumeState(const std::string& folder) {
    if (!folderExists(folder)) return DriveState::Missing;
    return isMountPoint(folder) ? DriveState::Ready : DriveState::NotReady;
}

DriveState chkdrive(const std::string& path) {
    const std::string volume = removableVolume(path);
    return volume.empty() ? DriveState::Ready : volumeState(volume);
}

#endif

bool drivetest(const std::string& path, const std::string& label, UiPort& ui) {
    const std::string p = normalisePath(path);
    if (!fullPath(p)) {
        ui.message(basemsg::badFile(path));
        return true;
    }
    switch (chkdrive(p)) {
    case DriveState::Missing:
        if (!label.empty()) ui.message(basemsg::driveMissing(label));
        return false;
    case DriveState::NotReady:
        ui.message(basemsg::driveUnavailable(volumeName(p), label));
        return false;
    case DriveState::Ready:
        break;
    }
    return true;
}

bool safeExists(const std::string& path, bool report, UiPort& ui) {
    if (!drivetest(path, report ? path : std::string(), ui)) return false;
    return fileExists(path);
}

} // namespace kestrel
