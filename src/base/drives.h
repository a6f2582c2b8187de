#pragma once
// The drive test: before a file on a removable volume is touched, the volume must be there (see
// platform.h for what a volume is on each system).
#include <string>

#include "base/platform/platform.h"
#include "base/uiport.h"

namespace kestrel {

using platform::chkdrive;
using platform::DriveState;
using platform::removableVolume;
using platform::volumeState;

// The drive test: true when the path may be touched. A missing volume shows
// "Drive does not exist " + label (only when the label is not empty); a volume that is there but
// not mounted shows "Drive <volume> not avalable" + the label; a path that is not a full path
// shows "Bad File: " + path and passes.
bool drivetest(const std::string& path, const std::string& label, UiPort& ui);

// safe-exists: the file exists, asked only when the drive test passes (with the path as label
// when `report` is true, so that messages name it).
bool safeExists(const std::string& path, bool report, UiPort& ui);

} // namespace kestrel
