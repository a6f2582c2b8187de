#include "installed/win32_registry.h"

#include "base/paths.h"
#include "base/uiport.h"
#include "installed/messages.h"

namespace kestrel::installed {

std::vector<RegKey> Win32Registry::subtree(std::string_view path) {
    bool closeFailed = false;
    std::vector<RegKey> keys = platform::machineRegistry(path, closeFailed);
    if (closeFailed) ui_.message(std::string(kErrorClosingKey));
    return keys;
}

std::string Win32Registry::realPath(std::string_view registryPath) const {
    return normalisePath(registryPath);
}

} // namespace kestrel::installed
