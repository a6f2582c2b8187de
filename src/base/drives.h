#pragma once
// The drive test: before a file on a removable volume is touched, the volume must be there. On
// Windows a volume is a drive letter; elsewhere it is a folder under a removable-media root
// (/media/<user>/<name>, /run/media/<user>/<name>, /mnt/<name>, /Volumes/<name>) that must be
// mounted. Paths elsewhere live on volumes that are always present.
#include <string>

#include "base/uiport.h"

namespace kestrel {

enum class DriveState { Missing = 0, NotReady = 1, Ready = 2 };

// `chkdrive`: whether the path's volume exists, and whether it is ready (mounted).
DriveState chkdrive(const std::string& path);

// A volume folder: missing, there but not mounted, or mounted.
DriveState volumeState(const std::string& folder);

// The volume the path lives on when that volume can come and go; empty otherwise.
std::string removableVolume(const std::string& path);

// The drive test: true when the path may be touched. A missing volume shows
// "Drive does not exist " + label (only when the label is not empty); a volume that is there but
// not mounted shows "Drive <volume> not avalable" + the label; a path that is not a full path
// shows "Bad File: " + path and passes.
bool drivetest(const std::string& path, const std::string& label, UiPort& ui);

// safe-exists: the file exists, asked only when the drive test passes (with the path as label
// when `report` is true, so that messages name it).
bool safeExists(const std::string& path, bool report, UiPort& ui);

} // namespace kestrel
