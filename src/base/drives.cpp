#include "base/drives.h"

#include "base/messages.h"
#include "base/paths.h"

namespace kestrel {

bool drivetest(const std::string& path, const std::string& label, UiPort& ui) {
    const std::string p = normalisePath(path);
    if (!platform::isFullPath(p)) {
        ui.message(badFile(path));
        return true;
    }
    switch (chkdrive(p)) {
    case DriveState::Missing:
        if (!label.empty()) ui.message(driveMissing(label));
        return false;
    case DriveState::NotReady:
        ui.message(driveUnavailable(platform::volumeName(p), label));
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
