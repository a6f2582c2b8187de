#include "mapread/unreadable.h"

#include "base/platform/file_kind.h"
#include "mapread/messages.h"

namespace kestrel {

std::string describe(const Unreadable& why) {
    switch (why.reason) {
    case UnreadableReason::NoSuchFile:
        return std::string(msg::kNoSuchFile);
    case UnreadableReason::Directory:
        return std::string(msg::kIsDirectory);
    case UnreadableReason::PermissionDenied:
        return std::string(msg::kPermissionDenied);
    case UnreadableReason::NotRegularFile:
        return std::string(msg::kNotRegularFile);
    case UnreadableReason::NoMapData:
        return std::string(msg::kNoMapData);
    case UnreadableReason::SystemError:
        break;
    }
    return why.systemText;
}

std::optional<Unreadable> checkMapFile(const std::string& path) {
    using platform::FileKind;
    const platform::FileCheck check = platform::fileKind(path);
    switch (check.kind) {
    case FileKind::Regular:
        if (check.size == 0) return Unreadable{UnreadableReason::NoMapData, {}};
        return std::nullopt;
    case FileKind::Directory:
        return Unreadable{UnreadableReason::Directory, {}};
    case FileKind::Other:
        return Unreadable{UnreadableReason::NotRegularFile, {}};
    case FileKind::Missing:
        return Unreadable{UnreadableReason::NoSuchFile, {}};
    case FileKind::Denied:
        return Unreadable{UnreadableReason::PermissionDenied, {}};
    case FileKind::Failed:
        break;
    }
    return Unreadable{UnreadableReason::SystemError, check.systemText};
}

} // namespace kestrel
